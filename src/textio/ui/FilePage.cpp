#include "textio/ui/FilePage.h"

#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Translate.h"
#include "platform/UserPrompts.h"
#include "textio/ui/TransferHelp.h"
#include "textio/ui/TransferRun.h"

namespace {

std::string pathOf(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

}  // namespace

FilePage::FilePage(TransferRun& run, QWidget* parent) : QWizardPage(parent), run_(run) {
    setObjectName(QStringLiteral("filePage"));
    auto* group = new QGroupBox(_("Select File"), this);
    path_ = new QLineEdit(group);
    browse_ = new QPushButton(_("..."), group);
    browse_->setAccessibleName(QString::fromUtf8(_("Choose File")));
    browse_->setFixedWidth(browse_->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    auto* row = new QHBoxLayout(group);
    row->addWidget(path_);
    row->addWidget(browse_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    TransferHelp::attach(TransferHelp::kFileName, {path_, group});
    TransferHelp::attach(TransferHelp::kBrowse, {browse_});

    connect(path_, &QLineEdit::textChanged, this, &QWizardPage::completeChanged);
    connect(browse_, &QPushButton::clicked, this, &FilePage::browse);
}

bool FilePage::isComplete() const {
    return !path_->text().isEmpty();
}

void FilePage::browse() {
    FileDialogSpec dialog;
    dialog.initialName = pathOf(path_->text());
    dialog.defaultExtension = "csv";
    dialog.filters = {{_("Comma Separated files (*.csv)"), "*.csv"},
                      {_("Text Files (*.txt)"), "*.txt"},
                      {_("All files (*.)"), "*"}};
    const auto chosen =
        run_.import ? run_.prompts.askOpenPath(dialog) : run_.prompts.askSavePath(dialog);
    if (chosen) path_->setText(QFile::decodeName(QByteArray::fromStdString(*chosen)));
}

bool FilePage::validatePage() {
    const std::string name = pathOf(path_->text());
    if (!run_.import) {
        if (const auto refusal = checkFileName(name)) {
            showRefusal(run_, *refusal);
            return false;
        }
        run_.spec.fileName = name;
        return true;
    }
    ImportFileProbe probe = probeImportFile(name);
    if (probe.refusal) {
        showRefusal(run_, *probe.refusal);
        return false;
    }
    run_.spec.fileName = name;
    run_.spec.firstLine = std::move(probe.firstLine);
    run_.sample = std::move(probe.sample);
    return true;
}
