#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "organizer/AddressBookCommits.h"

class QLineEdit;
class QPushButton;
class UserPrompts;

// "Address Book Group Details": the description of a new or renamed group. OK hands the
// text to the change it was opened for; a description another group has is reported and
// the dialog stays open with the text selected.
class GroupDetailsDialog : public QDialog {
    Q_OBJECT

public:
    // Makes the change with the confirmed description and says how it went.
    using Commit = std::function<GroupChange(const std::string& desc)>;

    GroupDetailsDialog(const QString& desc, Commit commit, UserPrompts& prompts,
                       QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* descriptionField() const { return desc_; }
    [[nodiscard]] QPushButton* okButton() const { return ok_; }

    // Closes only once the change is made.
    void accept() override;

private:
    Commit commit_;
    UserPrompts& prompts_;
    QLineEdit* desc_ = nullptr;
    QPushButton* ok_ = nullptr;
};
