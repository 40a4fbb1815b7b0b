#pragma once

#include <QDialog>

#include <string>

#include "sync/SyncAccount.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class UserPrompts;

// Edit > Options > Accounts...: the account the open document syncs with (server address,
// user name, password), "Test Connection" finding its address books and calendars to choose
// from, and the automatic sync. A certificate that does not verify can be trusted here
// after its fingerprint was shown.
class AccountDialog : public QDialog {
    Q_OBJECT

public:
    AccountDialog(const SyncAccount& account, const std::string& password, UserPrompts& prompts,
                  QWidget* parent = nullptr);

    [[nodiscard]] SyncAccount account() const;
    [[nodiscard]] std::string password() const;

    // Runs discovery with what the fields hold and offers the collections found.
    void testConnection();

private:
    void updateWarning();
    void fitHeight();
    void updateOk();
    void offer(QComboBox& box, const QString& first, const std::string& chosen);

    UserPrompts& prompts_;
    std::string trusted_;
    QLineEdit* url_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLabel* warning_ = nullptr;
    QPushButton* test_ = nullptr;
    QLabel* result_ = nullptr;
    QComboBox* addressBook_ = nullptr;
    QComboBox* calendar_ = nullptr;
    QCheckBox* afterSave_ = nullptr;
    QSpinBox* everyMinutes_ = nullptr;
    QPushButton* ok_ = nullptr;
};
