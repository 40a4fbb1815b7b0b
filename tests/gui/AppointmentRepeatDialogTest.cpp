#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QSpinBox>

#include "GuiHelpers.h"
#include "organizer/DayRows.h"
#include "organizer/EditorCommits.h"
#include "organizer/ui/AppointmentDialog.h"
#include "organizer/ui/EditorWidgets.h"
#include "organizer/ui/RepeatBox.h"
#include "platform/Clock.h"
#include "platform/UserLanguage.h"
#include "platform/qt/QtLocale.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"
#include "support/FixedLocale.h"
#include "support/ProcessGuards.h"
#include "support/SeriesRecords.h"

namespace {

DateTime dec(int day, int hour = 0) {
    return DateTime::fromFields(2026, 12, day, hour);
}

void choose(QComboBox* box, int value) {
    box->setFocus();
    const int steps = box->findData(value) - box->currentIndex();
    for (int i = 0; i < std::abs(steps); ++i)
        QTest::keyClick(box, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
}

// A new appointment's dialog on `day` at 9:00, shown, with its text typed.
class RepeatingAppointmentDialog : public testing::Test {
protected:
    void open(DateTime day, const char* text) {
        dialog = std::make_unique<AppointmentDialog>(
            AppointmentForm::forNew(day, day + DateTimeSpan(0.375)), false, locale);
        dialog->show();
        QTest::keyClicks(dialog->textField(), text);
    }
    RepeatBox& repeat() { return *dialog->repeatBox(); }
    // Confirms the dialog and adds what it made; the days (of December 2026 on, counted from
    // 1 December) on which the day list lists it.
    std::vector<int> confirmedDays(int lastDay) {
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        const int32_t id = addAppointment(door, dialog->form());
        std::vector<int> days;
        for (int day = 1; day <= lastDay; ++day) {
            const DateTime date = dec(1) + DateTimeSpan(day - 1);
            for (const AppointmentRow& row : dayAppointmentRows(document, date))
                if (row.id == id) days.push_back(day);
        }
        return days;
    }

    TzGuard tz{"Europe/Berlin"};
    FixedLocale locale;
    FixedClock clock{LocalTime{2026, 12, 1, 8, 0, 0}};
    PimDocument document{clock};
    DocumentDoor door{document, nullptr};
    std::unique_ptr<AppointmentDialog> dialog;
};

TEST_F(RepeatingAppointmentDialog, AWeeklySeriesOnTwoWeekdaysIsListedOnBothUntilItsCount) {
    open(dec(7), "Swimming");  // a Monday
    EXPECT_FALSE(repeat().intervalBox()->isVisible());
    choose(repeat().kindBox(), int(RepeatForm::Kind::Weekly));
    EXPECT_FALSE(repeat().weekdayBox(0)->isEnabled()) << "the start's weekday stays";
    repeat().weekdayBox(3)->setFocus();
    QTest::keyClick(repeat().weekdayBox(3), Qt::Key_Space);
    choose(repeat().endingBox(), int(RepeatForm::Ending::AfterCount));
    repeat().countBox()->setValue(4);
    EXPECT_EQ(repeat().wordsLabel()->text(), "Every week on Monday and Thursday, 4 times");
    EXPECT_EQ(confirmedDays(31), (std::vector{7, 10, 14, 17}));
}

TEST_F(RepeatingAppointmentDialog, AnAllDayEventOverThreeDaysHidesTheTimesAndCoversEachDay) {
    open(dec(7), "Fair");
    dialog->allDayBox()->setFocus();
    QTest::keyClick(dialog->allDayBox(), Qt::Key_Space);
    EXPECT_FALSE(dialog->beginField()->isVisible());
    dialog->endDatePicker()->setDate(QDate(2026, 12, 9));
    EXPECT_EQ(confirmedDays(31), (std::vector{7, 8, 9}));
    EXPECT_TRUE(dayAppointmentRows(document, dec(8)).front().allDay);
}

TEST_F(RepeatingAppointmentDialog, AMonthlySeriesOnTheLastFridayFindsItInEachMonth) {
    open(dec(25), "Review");  // the last Friday of December 2026
    choose(repeat().kindBox(), int(RepeatForm::Kind::Monthly));
    ASSERT_EQ(repeat().monthlyBox()->count(), 3) << "day 25, the fourth and the last Friday";
    choose(repeat().monthlyBox(), int(RepeatForm::MonthlyBy::LastWeekday));
    EXPECT_EQ(repeat().wordsLabel()->text(), "Every month on the last Friday");
    // 29 January, 26 February and 26 March 2027, counted from 1 December.
    EXPECT_EQ(confirmedDays(120), (std::vector{25, 60, 88, 116}));
}

TEST(AppointmentRepeatDialog, ARuleTheChoicesCannotShowIsSaidAndKeptUntilReplaced) {
    FixedLocale locale;
    const Appointment foreign = repeating(appointmentAt("Rent", dec(31, 9), dec(31, 10)),
                                          "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1");
    AppointmentDialog dialog(AppointmentForm::of(foreign), true, locale);
    dialog.show();
    RepeatBox& repeat = *dialog.repeatBox();
    EXPECT_EQ(repeat.kindBox()->currentData().toInt(), int(RepeatForm::Kind::Kept));
    EXPECT_FALSE(repeat.endingBox()->isVisible());
    EXPECT_EQ(repeat.wordsLabel()->text(),
              "Every month on Monday, Tuesday, Wednesday, Thursday and Friday (also BYSETPOS=-1)");
    choose(repeat.kindBox(), int(RepeatForm::Kind::Yearly));
    EXPECT_EQ(repeat.wordsLabel()->text(), "Every year on 31 December");
    choose(repeat.kindBox(), int(RepeatForm::Kind::Kept));
    EXPECT_EQ(dialog.form().writtenOver(foreign).schedule, foreign.schedule);
}

// Not a check: with QUILLMATE_SCREENSHOTS set, the dialog with a rule and the all-day one
// as the user's language and region show them (LANGUAGE=de, QT_SCALE_FACTOR=2).
TEST(AppointmentRepeatDialog, ScreenshotsInTheUsersLanguage) {
    if (qEnvironmentVariableIsEmpty("QUILLMATE_SCREENSHOTS")) GTEST_SKIP();
    useUserLanguage("");
    const QtLocale locale;
    AppointmentForm weekly = AppointmentForm::forNew(dec(7), dec(7, 9));
    weekly.setDescription("Swimming");
    weekly.repeat().setKind(RepeatForm::Kind::Weekly);
    weekly.repeat().setInterval(2);
    weekly.repeat().setWeekday(3, true);
    weekly.repeat().setEnding(RepeatForm::Ending::OnDate);
    weekly.repeat().setUntil(DateTime::fromFields(2027, 3, 31));
    AppointmentDialog rule(weekly, false, locale);
    rule.show();
    screenshot(rule, "appointment-dialog-rule");
    AppointmentForm fair = AppointmentForm::forNew(dec(7), dec(7, 9));
    fair.setDescription("Fair");
    fair.setAllDay(true);
    fair.setEndDate(dec(9));
    fair.repeat().setKind(RepeatForm::Kind::Monthly);
    fair.repeat().setMonthlyBy(RepeatForm::MonthlyBy::NthWeekday);
    AppointmentDialog days(fair, false, locale);
    days.show();
    screenshot(days, "appointment-dialog-all-day");
}

}  // namespace
