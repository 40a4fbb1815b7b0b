#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

// Options > Birthday Reminders...: whether birthdays and anniversaries are reminded of, and
// how many days ahead (0 on the day itself).
class BirthdayReminderDialog : public QDialog {
    Q_OBJECT

public:
    BirthdayReminderDialog(bool remind, int daysBefore, int mostDays, QWidget* parent = nullptr);

    [[nodiscard]] bool remind() const;
    [[nodiscard]] int daysBefore() const;
    [[nodiscard]] QCheckBox* remindBox() const { return remind_; }
    [[nodiscard]] QSpinBox* daysBox() const { return days_; }

private:
    QCheckBox* remind_ = nullptr;
    QSpinBox* days_ = nullptr;
};
