#pragma once

#include <QDialog>

#include <optional>

#include "organizer/AppointmentForm.h"

class Locale;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QGroupBox;
class QPushButton;
class RepeatBox;
class StepField;

// "Add Appointment" / "Edit Appointment": the text, the date, whole days or the begin and
// end times in quarter hours, the end date, the alarm and the repeat of one appointment. It edits
// an AppointmentForm, which holds every rule, and never the document.
class AppointmentDialog : public QDialog {
    Q_OBJECT

public:
    AppointmentDialog(AppointmentForm start, bool editing, const Locale& locale,
                      QWidget* parent = nullptr);

    // Shows the dialog modally; the confirmed form, or nothing when cancelled.
    [[nodiscard]] static std::optional<AppointmentForm> ask(QWidget* parent, AppointmentForm start,
                                                            bool editing, const Locale& locale);

    [[nodiscard]] const AppointmentForm& form() const { return form_; }
    [[nodiscard]] QLineEdit* textField() const { return text_; }
    [[nodiscard]] QDateEdit* datePicker() const { return date_; }
    [[nodiscard]] QCheckBox* allDayBox() const { return allDay_; }
    [[nodiscard]] QDateEdit* endDatePicker() const { return endDate_; }
    [[nodiscard]] RepeatBox* repeatBox() const { return repeat_; }
    [[nodiscard]] StepField* beginField() const { return begin_; }
    [[nodiscard]] StepField* endField() const { return end_; }
    [[nodiscard]] QCheckBox* alarmBox() const { return alarm_; }
    [[nodiscard]] StepField* minutesField() const { return minutes_; }
    [[nodiscard]] QPushButton* okButton() const { return ok_; }
    // What the dialog says of a typed time it moved into range; hidden otherwise.
    [[nodiscard]] QLabel* rangeNote() const { return rangeNote_; }

    // Takes times still being typed before closing.
    void accept() override;

private:
    // Shows the form's times and minutes.
    void showValues();
    // Says the field's range when a typed time was moved into it, and hides it otherwise.
    void noteRange(AppointmentForm::Typed typed, const std::string& range);

    AppointmentForm form_;
    bool twentyFourHour_;  // the times as the user's locale writes them
    QLineEdit* text_ = nullptr;
    QDateEdit* date_ = nullptr;
    QCheckBox* allDay_ = nullptr;
    QDateEdit* endDate_ = nullptr;
    QGroupBox* times_ = nullptr;
    RepeatBox* repeat_ = nullptr;
    StepField* begin_ = nullptr;
    StepField* end_ = nullptr;
    QCheckBox* alarm_ = nullptr;
    StepField* minutes_ = nullptr;
    QPushButton* ok_ = nullptr;
    QLabel* rangeNote_ = nullptr;
    bool movedByTyping_ = false;  // a typed value was moved, not yet shown
};
