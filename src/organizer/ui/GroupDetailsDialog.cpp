#include "organizer/ui/GroupDetailsDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

#include "organizer/GroupTexts.h"
#include "organizer/ui/AddressBookHelp.h"
#include "organizer/ui/EditorWidgets.h"
#include "platform/Translate.h"
#include "platform/UserPrompts.h"

namespace {

constexpr int kDescriptionColumns = 30;

}  // namespace

GroupDetailsDialog::GroupDetailsDialog(const QString& desc, Commit commit, UserPrompts& prompts,
                                       QWidget* parent)
    : QDialog(parent), commit_(std::move(commit)), prompts_(prompts) {
    setWindowTitle(_("Address Book Group Details"));
    auto* label = new QLabel(_("Description:"), this);
    desc_ = new QLineEdit(desc, this);
    desc_->setMaxLength(std::numeric_limits<int>::max());
    desc_->setMinimumWidth(desc_->fontMetrics().averageCharWidth() * kDescriptionColumns);
    label->setBuddy(desc_);
    setEditorHelp({label, desc_}, AddressBookHelp::kGroupDescription);

    QDialogButtonBox* buttons = makeEditorButtons(this, &ok_);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(desc_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto updateOk = [this] {
        ok_->setEnabled(canConfirmGroupDesc(desc_->text().toStdString()));
    };
    connect(desc_, &QLineEdit::textChanged, this, updateOk);
    updateOk();
    desc_->selectAll();
    desc_->setFocus();
}

void GroupDetailsDialog::accept() {
    const std::string desc = desc_->text().toStdString();
    if (!canConfirmGroupDesc(desc)) return;
    const GroupChange change = commit_(desc);
    if (change == GroupChange::Duplicate) {
        prompts_.showMessage(duplicateGroupMessage(desc), _(kDuplicateGroupCaption),
                             MessageIcon::Error);
        desc_->selectAll();
        desc_->setFocus();
        return;
    }
    // The group went meanwhile, or no group number is left: say so rather than seem done.
    if (change == GroupChange::Missing)
        prompts_.showMessage(_(kGroupNotSavedMessage), windowTitle().toStdString(),
                             MessageIcon::Error);
    QDialog::accept();
}
