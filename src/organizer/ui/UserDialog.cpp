#include "organizer/ui/UserDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "organizer/ui/FieldPages.h"
#include "platform/Translate.h"

UserDialog::UserDialog(User start, QWidget* parent) : QDialog(parent), user_(std::move(start)) {
    setWindowTitle(_("Edit User"));
    using namespace AddressBookHelp;
    pages_ = new QTabWidget(this);
    QWidget* general =
        makeFieldPage(nameFields(user_, kUserFirstName, kUserLastName, kUserCompany));
    pages_->addTab(general, _("General"));
    pages_->addTab(makeFieldPage(addressFields(user_)), _("Address"));
    ok_ = layOutSheet(this, pages_);
    general->findChild<QLineEdit*>()->setFocus();
}

std::optional<User> UserDialog::ask(QWidget* parent, User start) {
    UserDialog dialog(std::move(start), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.user();
}
