#pragma once

#include <QDialog>

#include <optional>

#include "records/User.h"

class QPushButton;
class QTabWidget;

// "Edit User": the owner's name and address on the pages "General" and "Address". It
// edits a copy of the User and never the document.
class UserDialog : public QDialog {
    Q_OBJECT

public:
    UserDialog(User start, QWidget* parent = nullptr);

    // Shows the sheet modally; the confirmed user, or nothing when cancelled.
    [[nodiscard]] static std::optional<User> ask(QWidget* parent, User start);

    // The user as edited so far.
    [[nodiscard]] const User& user() const { return user_; }
    // The pages, "General" first.
    [[nodiscard]] QTabWidget* pages() const { return pages_; }
    [[nodiscard]] QPushButton* okButton() const { return ok_; }

private:
    User user_;
    QTabWidget* pages_ = nullptr;
    QPushButton* ok_ = nullptr;
};
