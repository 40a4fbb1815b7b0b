#include <QDateEdit>
#include <QLabel>

#include "GuiHelpers.h"
#include "organizer/ui/AppointmentDialog.h"
#include "organizer/ui/EditorWidgets.h"
#include "organizer/ui/TaskDialog.h"
#include "support/FixedLocale.h"

namespace {

const DateTime kMay12 = DateTime::fromFields(2026, 5, 12);

TEST(TaskDialog, TypedTaskIsConfirmedWithTheChosenPriorityAndDate) {
    FixedLocale locale;
    TaskDialog dialog(TaskForm::forNew(kMay12), false, locale);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Add Task");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_TRUE(dialog.priorityButton(Task::High)->isChecked());
    EXPECT_EQ(dialog.datePicker()->date(), QDate(2026, 5, 12));
    EXPECT_EQ(dialog.datePicker()->minimumDate(), QDate(1990, 1, 1));
    EXPECT_EQ(dialog.datePicker()->maximumDate(), QDate(2035, 12, 31));

    QTest::keyClicks(dialog.textField(), "Water the plants");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    QTest::mouseClick(dialog.priorityButton(Task::Low), Qt::LeftButton);
    dialog.datePicker()->setFocus();
    QTest::keyClick(dialog.datePicker(), Qt::Key_Up);  // the month section steps first
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const Task task = dialog.form().writtenOver(Task());
    EXPECT_EQ(std::tie(task.Description, task.Priority, task.DueDate),
              std::tuple("Water the plants", Task::Low, DateTime::fromFields(2026, 6, 12)));
}

TEST(AppointmentDialog, KeysStepTheTimesAndTheAlarmAndAskReturnsTheForm) {
    FixedLocale locale;
    const AppointmentForm start =
        AppointmentForm::forNew(kMay12, DateTime::fromFields(2026, 5, 10, 22, 40));
    whenOpen<AppointmentDialog>([](AppointmentDialog& dialog) {
        activate(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Edit Appointment");
        EXPECT_EQ(dialog.beginField()->text(), "10:45 PM");
        EXPECT_EQ(dialog.endField()->text(), "11:00 PM");
        QTest::keyClicks(dialog.textField(), "Night train");
        QTest::keyClick(dialog.endField(), Qt::Key_Up);  // wraps, pulling the begin along
        EXPECT_EQ(dialog.endField()->text(), "05:15 AM");
        EXPECT_EQ(dialog.beginField()->text(), "05:00 AM");
        QTest::keyClick(dialog.beginField(), Qt::Key_Down);  // wraps to the top
        EXPECT_EQ(dialog.beginField()->text(), "10:45 PM");
        EXPECT_EQ(dialog.endField()->text(), "11:00 PM");
        dialog.alarmBox()->setFocus();
        QTest::keyClick(dialog.alarmBox(), Qt::Key_Space);
        EXPECT_TRUE(dialog.alarmBox()->isChecked());
        QTest::keyClick(dialog.minutesField(), Qt::Key_Down);
        EXPECT_EQ(dialog.minutesField()->text(), "60");
        QTest::keyClick(dialog.textField(), Qt::Key_Return);
    });
    const auto confirmed = AppointmentDialog::ask(nullptr, start, true, locale);
    ASSERT_TRUE(confirmed.has_value());
    const Appointment written = confirmed->writtenOver(Appointment());
    EXPECT_EQ(std::tuple(written.Description, written.StartTime, written.Alarm, written.AlarmTime),
              std::tuple("Night train", DateTime::fromFields(2026, 5, 12, 22, 45), true,
                         DateTime::fromFields(2026, 5, 12, 21, 45)));
}

// A new appointment's dialog, shown, for an appointment made at `hour` on 10 May.
class ShownAppointmentDialog : public AppointmentDialog {
public:
    ShownAppointmentDialog(const Locale& locale, int hour)
        : AppointmentDialog(
              AppointmentForm::forNew(kMay12, DateTime::fromFields(2026, 5, 10, hour, 0)), false,
              locale) {
        show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
    }
};

// Types `text` over what the field shows, then presses `key` (none: 0).
void retype(StepField* field, const char* text, Qt::Key key = Qt::Key(0)) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    if (key != 0) QTest::keyClick(field, key);
}

// Where a typed text lands is the form's rule; the dialog takes it on Tab or Enter, says
// the range a value was moved into instead of closing, and closes at the next OK.
TEST(AppointmentDialog, TypedTimesAreTakenOnLeavingTheFieldAndAMoveIntoTheRangeIsSaid) {
    FixedLocale locale;
    ShownAppointmentDialog dialog(locale, 9);
    QTest::keyClicks(dialog.textField(), "Dentist");
    retype(dialog.beginField(), "130p", Qt::Key_Tab);
    EXPECT_EQ(dialog.beginField()->text(), "01:30 PM");
    EXPECT_EQ(dialog.endField()->text(), "01:45 PM");
    screenshot(dialog, "appointment-typed-time");
    retype(dialog.endField(), "14:50", Qt::Key_Up);  // the arrows still step what is shown
    EXPECT_EQ(dialog.endField()->text(), "02:00 PM");
    retype(dialog.endField(), "lunch", Qt::Key_Tab);  // no time: the shown one comes back
    EXPECT_EQ(dialog.endField()->text(), "02:00 PM");
    EXPECT_FALSE(dialog.rangeNote()->isVisible());

    retype(dialog.beginField(), "4a", Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.beginField()->text(), "05:00 AM");
    EXPECT_TRUE(dialog.rangeNote()->isVisible());
    EXPECT_EQ(dialog.rangeNote()->text().toStdString(), AppointmentForm::beginRangeText());
    retype(dialog.minutesField(), "90", Qt::Key_Tab);
    EXPECT_EQ(dialog.minutesField()->text(), "60");
    EXPECT_EQ(dialog.rangeNote()->text().toStdString(), AppointmentForm::alarmRangeText());
    QApplication::processEvents();  // shown: Enter now takes and confirms
    retype(dialog.endField(), "2:52 PM", Qt::Key_Return);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(std::tuple(dialog.form().begin(), dialog.form().end(), dialog.form().alarmMinutes()),
              std::tuple(DateTime::fromFields(2026, 5, 12, 5, 0),
                         DateTime::fromFields(2026, 5, 12, 14, 45), 60));
}

// Under a locale of the 24-hour clock the times show in it, and still take typing.
TEST(AppointmentDialog, TimesShowOnTheLocalesClock) {
    struct German : FixedLocale {
        std::string shortTimePicture() const override { return "HH:mm"; }
    } locale;
    ShownAppointmentDialog dialog(locale, 16);
    EXPECT_EQ(dialog.endField()->text(), "16:15");
    retype(dialog.beginField(), "7:15", Qt::Key_Tab);
    EXPECT_EQ(dialog.beginField()->text(), "07:15");
}

}  // namespace
