#include <gtest/gtest.h>

#include "organizer/AppointmentForm.h"
#include "support/TzGuard.h"

namespace {

DateTime on10May(int hour, int minute, int second = 0) {
    return DateTime::fromFields(2026, 5, 10, hour, minute, second);
}

Appointment appointmentOn10May(int beginHour, int beginMinute, int endHour, int endMinute) {
    Appointment appointment = Appointment::createdAt(on10May(7, 3, 12));
    appointment.ID = 4;
    appointment.Description = "Dentist";
    appointment.DueDate = on10May(0, 0);
    appointment.StartTime = on10May(beginHour, beginMinute);
    appointment.EndTime = on10May(endHour, endMinute);
    return appointment;
}

TEST(AppointmentForm, SpinsStepByQuartersWrapAtTheEndsAndPushTheOtherTime) {
    struct Case {
        int begin[2], end[2];
        bool beginSpin, up;
        int newBegin[2], newEnd[2];
    };
    const Case cases[] = {
        // Begin spin: carry and borrow of the hour, wrap at both ends, pushing the end.
        {{9, 45}, {11, 0}, true, true, {10, 0}, {11, 0}},
        {{9, 0}, {9, 15}, true, true, {9, 15}, {9, 30}},
        {{22, 45}, {23, 0}, true, true, {5, 0}, {23, 0}},
        {{5, 0}, {9, 0}, true, false, {22, 45}, {23, 0}},
        // End spin, pushing the begin back.
        {{9, 0}, {9, 15}, false, false, {8, 45}, {9, 0}},
        {{22, 0}, {23, 0}, false, true, {5, 0}, {5, 15}},
        {{5, 0}, {5, 15}, false, false, {5, 0}, {23, 0}},
        // Times written by other programs step onto the quarter hours inside the range.
        {{23, 30}, {23, 45}, true, true, {5, 0}, {23, 45}},
        {{4, 10}, {4, 40}, true, true, {5, 0}, {5, 15}},
        {{1, 0}, {2, 0}, false, true, {1, 0}, {5, 15}},
    };
    for (const Case& c : cases) {
        AppointmentForm form =
            AppointmentForm::of(appointmentOn10May(c.begin[0], c.begin[1], c.end[0], c.end[1]));
        if (c.beginSpin)
            form.stepBegin(c.up);
        else
            form.stepEnd(c.up);
        const std::string what = AppointmentForm::timeText(on10May(c.begin[0], c.begin[1])) + "-" +
                                 AppointmentForm::timeText(on10May(c.end[0], c.end[1])) +
                                 (c.beginSpin ? " begin " : " end ") + (c.up ? "up" : "down");
        EXPECT_EQ(form.begin(), on10May(c.newBegin[0], c.newBegin[1])) << what;
        EXPECT_EQ(form.end(), on10May(c.newEnd[0], c.newEnd[1])) << what;
    }
}

TEST(AppointmentForm, TypedTimesSnapToQuartersInsideTheRangeAndPushTheOtherTime) {
    struct Case {
        const char* typed;
        bool begin;  // typed into the begin field, else the end field
        int newBegin[2], newEnd[2];
    };
    // The appointment runs from 9:00 to 10:00 before each case.
    const Case cases[] = {
        {"1:30 PM", true, {13, 30}, {13, 45}},
        {"9.08", true, {9, 15}, {10, 0}},
        {"2", true, {14, 0}, {14, 15}},  // without AM or PM, 1 to 4 are the afternoon
        {"12a", true, {5, 0}, {10, 0}},  // before the range: its first quarter
        {"11 pm", true, {22, 45}, {23, 0}},
        {"8h30", false, {8, 15}, {8, 30}},
        {"11:59 PM", false, {9, 0}, {23, 0}},
        // Not a time: nothing changes.
        {"lunch", true, {9, 0}, {10, 0}},
        {"13 pm", false, {9, 0}, {10, 0}},
    };
    for (const Case& c : cases) {
        AppointmentForm form = AppointmentForm::of(appointmentOn10May(9, 0, 10, 0));
        const bool read = c.begin ? form.typeBegin(c.typed) : form.typeEnd(c.typed);
        const bool changes = c.newBegin[0] != 9 || c.newBegin[1] != 0 || c.newEnd[0] != 10;
        if (changes) {
            EXPECT_TRUE(read) << c.typed;
        }
        EXPECT_EQ(form.begin(), on10May(c.newBegin[0], c.newBegin[1])) << c.typed;
        EXPECT_EQ(form.end(), on10May(c.newEnd[0], c.newEnd[1])) << c.typed;
    }
}

TEST(AppointmentForm, TimeFieldsShowMidnightAndNoonAsTwelve) {
    EXPECT_EQ(AppointmentForm::timeText(on10May(0, 0)), "12:00 AM");
    EXPECT_EQ(AppointmentForm::timeText(on10May(9, 30)), "09:30 AM");
    EXPECT_EQ(AppointmentForm::timeText(on10May(12, 15)), "12:15 PM");
}

TEST(AppointmentForm, AlarmMinutesSurviveReopeningAndConfirmingUnchanged) {
    for (const int minutes : {0, 15, 60}) {
        AppointmentForm form = AppointmentForm::of(appointmentOn10May(14, 30, 15, 0));
        form.setAlarm(true);
        ASSERT_TRUE(form.setAlarmMinutes(minutes));
        const Appointment saved = form.writtenOver(appointmentOn10May(14, 30, 15, 0));
        EXPECT_TRUE(saved.Alarm);
        EXPECT_EQ(saved.AlarmTime, on10May(14, 30) - DateTimeSpan::fromParts(0, 0, minutes, 0))
            << minutes;

        const AppointmentForm reopened = AppointmentForm::of(saved);
        EXPECT_EQ(reopened.alarmMinutes(), minutes);
        EXPECT_EQ(reopened.writtenOver(saved), saved) << minutes;
    }
    // An alarm time off the whole minute shows rounded; an unset alarm keeps its time.
    Appointment odd = appointmentOn10May(14, 30, 15, 0);
    odd.Alarm = true;
    odd.AlarmTime = on10May(14, 15, 31);
    EXPECT_EQ(AppointmentForm::of(odd).alarmMinutes(), 14);
    odd.Alarm = false;
    EXPECT_EQ(AppointmentForm::of(odd).alarmMinutes(), 0);
    EXPECT_EQ(AppointmentForm::of(odd).writtenOver(odd).AlarmTime, on10May(14, 15, 31));
}

TEST(AppointmentForm, AlarmMinutesSpinWrapsBetweenZeroAndSixty) {
    const int cases[][3] = {
        // from, up, down
        {0, 5, 60},
        {60, 0, 55},
        {13, 15, 10},
        {120, 0, 60},
    };
    for (const auto& [from, up, down] : cases) {
        Appointment appointment = appointmentOn10May(14, 30, 15, 0);
        appointment.Alarm = true;
        appointment.AlarmTime = on10May(14, 30) - DateTimeSpan::fromParts(0, 0, from, 0);
        AppointmentForm raised = AppointmentForm::of(appointment);
        ASSERT_EQ(raised.alarmMinutes(), from);
        AppointmentForm lowered = raised;
        raised.stepAlarmMinutes(true);
        lowered.stepAlarmMinutes(false);
        EXPECT_EQ(raised.alarmMinutes(), up) << from;
        EXPECT_EQ(lowered.alarmMinutes(), down) << from;
    }
}

TEST(AppointmentForm, AnotherDateCarriesTheTimesAndTheAlarmOffset) {
    // Clocks go forward on 29 March 2026 here; the move must not shift the wall-clock times.
    TzGuard tz("Europe/Berlin");
    Appointment appointment = appointmentOn10May(9, 0, 10, 30);
    appointment.DueDate = DateTime::fromFields(2026, 3, 20);
    appointment.StartTime = DateTime::fromFields(2026, 3, 20, 9, 0);
    appointment.EndTime = DateTime::fromFields(2026, 3, 20, 10, 30);
    appointment.Alarm = true;
    appointment.AlarmTime = DateTime::fromFields(2026, 3, 20, 8, 45);
    AppointmentForm form = AppointmentForm::of(appointment);
    form.setDate(DateTime::fromFields(2026, 3, 30, 17, 12));

    const Appointment moved = form.writtenOver(appointment);
    EXPECT_EQ(moved.DueDate, DateTime::fromFields(2026, 3, 30));
    EXPECT_EQ(moved.StartTime, DateTime::fromFields(2026, 3, 30, 9, 0));
    EXPECT_EQ(moved.EndTime, DateTime::fromFields(2026, 3, 30, 10, 30));
    EXPECT_EQ(moved.AlarmTime, DateTime::fromFields(2026, 3, 30, 8, 45));
    EXPECT_EQ(moved.ID, 4);
    // Steps after the move stay on the new day.
    form.stepEnd(true);
    EXPECT_EQ(form.end(), DateTime::fromFields(2026, 3, 30, 10, 45));
}

TEST(AppointmentForm, NewAppointmentBeginsAtTheNextQuarterHourTheBeginSpinOffers) {
    const DateTime shown = DateTime::fromFields(2026, 6, 1);
    const int cases[][4] = {
        // now hour, minute, second; begin quarter of the day
        {10, 15, 0, 41},
        {10, 15, 1, 42},
        {22, 46, 0, 91},
        {4, 59, 59, 20},
    };
    for (const auto& [hour, minute, second, quarter] : cases) {
        const AppointmentForm form = AppointmentForm::forNew(shown, on10May(hour, minute, second));
        const DateTime begin = DateTime::fromFields(2026, 6, 1, quarter / 4, quarter % 4 * 15);
        EXPECT_EQ(form.begin(), begin) << hour << ":" << minute << ":" << second;
        EXPECT_EQ(form.end(), begin + DateTimeSpan::fromParts(0, 0, 15, 0));
    }
}

}  // namespace
