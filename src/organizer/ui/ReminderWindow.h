#pragma once

#include <QDialog>
#include <QTimer>

#include <memory>
#include <string>

class AlarmSound;
class QCheckBox;
class QLabel;
class QPushButton;

// "Appointment Reminder": the caption, the message, "Turn off reminder" and OK, and no
// close box, so the user must answer it. It stays on top, is raised again every minute,
// and loops its sound (when it has one) until OK.
class ReminderWindow : public QDialog {
    Q_OBJECT

public:
    // `sound` is nullptr for a silent window; a `soundPath` of "" plays nothing either.
    ReminderWindow(const QString& caption, const QString& message,
                   std::unique_ptr<AlarmSound> sound, std::string soundPath, QWidget* owner);
    ~ReminderWindow() override;

    // Whether OK was pressed with "Turn off reminder" ticked.
    [[nodiscard]] bool turnOffChosen() const { return turnOff_; }
    [[nodiscard]] QCheckBox* turnOffBox() const { return turnOffBox_; }
    [[nodiscard]] QPushButton* okButton() const { return okButton_; }
    [[nodiscard]] QString message() const;

    // The window's own minute: raised above every window, its sound started afresh.
    void remind();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape does nothing: only OK answers a reminder.
    void reject() override {}

private:
    void placeOverOwner();
    void acknowledge();

    QWidget* owner_;
    std::unique_ptr<AlarmSound> sound_;
    std::string soundPath_;
    QLabel* message_ = nullptr;
    QCheckBox* turnOffBox_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QTimer minute_;
    bool turnOff_ = false;
    bool answered_ = false;
};
