#include "textio/ui/FormatPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "platform/Translate.h"
#include "textio/FormatGuess.h"
#include "textio/ui/TransferHelp.h"
#include "textio/ui/TransferRun.h"

namespace {

template <size_t N>
QListWidget* choiceList(const std::array<FormatChoice, N>& choices, QWidget* parent) {
    auto* list = new QListWidget(parent);
    for (const FormatChoice& choice : choices)
        list->addItem(QString::fromUtf8(_(choice.label)));
    list->setCurrentRow(0);
    list->setMaximumHeight(list->sizeHintForRow(0) * int(N) + 2 * list->frameWidth() + 4);
    return list;
}

QGroupBox* groupAround(const QString& title, QWidget* inside, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(inside);
    inside->setParent(group);
    return group;
}

}  // namespace

FormatPage::FormatPage(TransferRun& run, QWidget* parent) : QWizardPage(parent), run_(run) {
    setObjectName(QStringLiteral("formatPage"));
    firstLine_ = new QPlainTextEdit(this);
    firstLine_->setReadOnly(true);
    firstLine_->setMaximumHeight(firstLine_->fontMetrics().lineSpacing() * 3 + 12);
    firstLineGroup_ = groupAround(_("First line of document"), firstLine_, this);
    header_ = new QCheckBox(_("First line of document contains field names"), this);
    header_->setChecked(true);
    auto* headerGroup = groupAround(_("Field Names"), header_, this);
    separators_ = choiceList(separatorChoices(), this);
    auto* separatorGroup = groupAround(_("Field Separator"), separators_, this);
    enclosers_ = choiceList(encloserChoices(), this);
    auto* encloserGroup = groupAround(_("Field Encloser"), enclosers_, this);
    separators_->setAccessibleName(separatorGroup->title());
    enclosers_->setAccessibleName(encloserGroup->title());

    auto* layout = new QGridLayout(this);
    layout->addWidget(firstLineGroup_, 0, 0, 1, 2);
    layout->addWidget(headerGroup, 1, 0, 1, 2);
    layout->addWidget(separatorGroup, 2, 0);
    layout->addWidget(encloserGroup, 2, 1);
    TransferHelp::attach(TransferHelp::kFirstLine, {firstLine_, firstLineGroup_});
    TransferHelp::attach(TransferHelp::kHeader, {header_, headerGroup});
    TransferHelp::attach(TransferHelp::kSeparator, {separators_, separatorGroup});
    TransferHelp::attach(TransferHelp::kEncloser, {enclosers_, encloserGroup});

    for (QListWidget* list : {separators_, enclosers_}) {
        connect(list, &QListWidget::currentRowChanged, this, [this] {
            if (!guessing_) userChose_ = true;
        });
    }
    if (!run_.import) firstLineGroup_->hide();
}

void FormatPage::refresh() {
    if (!run_.import) return;
    firstLine_->setPlainText(QString::fromStdString(run_.spec.firstLine));
    if (userChose_) return;
    const FormatGuess guess = guessFormat(run_.spec.firstLine);
    guessing_ = true;
    separators_->setCurrentRow(int(guess.separator));
    enclosers_->setCurrentRow(int(guess.encloser));
    guessing_ = false;
}

bool FormatPage::validatePage() {
    const auto chosen = [](const QListWidget* list) {
        return list->selectedItems().isEmpty() ? -1 : list->currentRow();
    };
    const auto refusal =
        applyFormat(chosen(separators_), chosen(enclosers_), header_->isChecked(), run_.spec);
    if (refusal) showRefusal(run_, *refusal);
    return !refusal;
}
