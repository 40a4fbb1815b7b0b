#include "textio/ui/TextTransferWizard.h"

#include <QPushButton>

#include "platform/Translate.h"
#include "platform/UserPrompts.h"
#include "textio/ui/FieldsPage.h"
#include "textio/ui/FilePage.h"
#include "textio/ui/FormatPage.h"
#include "workspace/ui/ProgramPicture.h"

void showRefusal(TransferRun& run, const WizardRefusal& refusal) {
    run.prompts.showMessage(refusal.text, refusal.caption, refusal.icon);
}

TextTransferWizard::TextTransferWizard(bool import, TransferKind kind, const std::string& title,
                                       TextTransferSpec& spec, UserPrompts& prompts,
                                       QWidget* parent)
    : QWizard(parent), run_{import, kind, spec, prompts, {}} {
    setObjectName(QStringLiteral("textTransferWizard"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    setWizardStyle(QWizard::ClassicStyle);
    // Pages are built once; Back and Next keep what was entered on each.
    setOptions(QWizard::IndependentPages | QWizard::HaveHelpButton |
               QWizard::NoBackButtonOnStartPage);
    setPixmap(QWizard::WatermarkPixmap,
              ProgramPicture::picture().scaledToWidth(120, Qt::SmoothTransformation));

    const QString heading = QString::fromStdString(title);
    filePage_ = new FilePage(run_, this);
    formatPage_ = new FormatPage(run_, this);
    fieldsPage_ = new FieldsPage(run_, this);
    for (QWizardPage* page :
         {static_cast<QWizardPage*>(filePage_), static_cast<QWizardPage*>(formatPage_),
          static_cast<QWizardPage*>(fieldsPage_)}) {
        page->setTitle(heading);
        addPage(page);
    }
    connect(this, &QWizard::currentIdChanged, this, &TextTransferWizard::pageShown);
    connect(this, &QWizard::helpRequested, this, [this] {
        emit helpPageRequested(run_.import ? QStringLiteral("csvimport")
                                           : QStringLiteral("csvexport"));
    });
    setWindowTitle(_("Select Document"));
    resize(620, 440);
}

void TextTransferWizard::pageShown(int id) {
    // The caption names the page, as the pages of a property-sheet wizard do.
    if (currentPage() == filePage_) {
        setWindowTitle(_("Select Document"));
    } else if (currentPage() == formatPage_) {
        setWindowTitle(_("Document Structure"));
        formatPage_->refresh();
    } else if (currentPage() == fieldsPage_) {
        setWindowTitle(_("Fields To Import"));
        fieldsPage_->refresh();
    }
    (void)id;
}
