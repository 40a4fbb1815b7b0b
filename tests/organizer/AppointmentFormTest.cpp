#include "organizer/AppointmentForm.h"

#include <gtest/gtest.h>

#include "support/Records.h"
#include "support/TzGuard.h"

namespace {

DateTime at(int hour, int minute, int second = 0) {
    return DateTime::fromFields(2026, 5, 10, hour, minute, second);
}

Appointment dentist(int beginHour, int beginMinute, int endHour, int endMinute) {
    Appointment appointment =
        appointmentAt("Dentist", at(beginHour, beginMinute), at(endHour, endMinute));
    appointment.ID = 4;
    return appointment;
}

TEST(AppointmentForm, SpinsStepByQuartersWrapAtTheEndsAndPushTheOtherTime) {
    struct Case {
        const char* label;
        int begin[2], end[2];
        bool beginSpin, up;
        int newBegin[2], newEnd[2];
    };
    const Case cases[] = {
        {"begin up pushes the end", {9, 0}, {9, 15}, true, true, {9, 15}, {9, 30}},
        {"begin up wraps", {22, 45}, {23, 0}, true, true, {5, 0}, {23, 0}},
        {"begin down wraps, pushing the end", {5, 0}, {9, 0}, true, false, {22, 45}, {23, 0}},
        {"end down pushes the begin", {9, 0}, {9, 15}, false, false, {8, 45}, {9, 0}},
        {"end up wraps", {22, 0}, {23, 0}, false, true, {5, 0}, {5, 15}},
        {"end down wraps", {5, 0}, {5, 15}, false, false, {5, 0}, {23, 0}},
        // Times written by other programs step onto the quarter hours inside the range.
        {"begin beyond the range", {23, 30}, {23, 45}, true, true, {5, 0}, {23, 45}},
        {"begin off the quarters", {4, 10}, {4, 40}, true, true, {5, 0}, {5, 15}},
        {"end before the range", {1, 0}, {2, 0}, false, true, {1, 0}, {5, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        AppointmentForm form =
            AppointmentForm::of(dentist(c.begin[0], c.begin[1], c.end[0], c.end[1]));
        c.beginSpin ? form.stepBegin(c.up) : form.stepEnd(c.up);
        EXPECT_EQ(form.begin(), at(c.newBegin[0], c.newBegin[1]));
        EXPECT_EQ(form.end(), at(c.newEnd[0], c.newEnd[1]));
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
        AppointmentForm form = AppointmentForm::of(dentist(9, 0, 10, 0));
        const bool read = c.begin ? form.typeBegin(c.typed) : form.typeEnd(c.typed);
        const bool changes = c.newBegin[0] != 9 || c.newBegin[1] != 0 || c.newEnd[0] != 10;
        EXPECT_TRUE(read || !changes) << c.typed;
        EXPECT_EQ(form.begin(), at(c.newBegin[0], c.newBegin[1])) << c.typed;
        EXPECT_EQ(form.end(), at(c.newEnd[0], c.newEnd[1])) << c.typed;
    }
}

TEST(AppointmentForm, AlarmMinutesSurviveReopeningSpinBetweenZeroAndSixtyAndMoveWithTheDate) {
    for (const int minutes : {0, 15, 60}) {
        AppointmentForm form = AppointmentForm::of(dentist(14, 30, 15, 0));
        form.setAlarm(true);
        ASSERT_TRUE(form.setAlarmMinutes(minutes));
        const Appointment saved = form.writtenOver(dentist(14, 30, 15, 0));
        EXPECT_TRUE(saved.Alarm);
        EXPECT_EQ(saved.AlarmTime, at(14, 30) - DateTimeSpan::fromParts(0, 0, minutes, 0));
        EXPECT_EQ(AppointmentForm::of(saved).alarmMinutes(), minutes);
        EXPECT_EQ(AppointmentForm::of(saved).writtenOver(saved), saved) << minutes;
    }
    // An alarm time off the whole minute shows rounded; an unset alarm keeps its time.
    Appointment odd = dentist(14, 30, 15, 0);
    odd.Alarm = true;
    odd.AlarmTime = at(14, 15, 31);
    EXPECT_EQ(AppointmentForm::of(odd).alarmMinutes(), 14);
    odd.Alarm = false;
    EXPECT_EQ(AppointmentForm::of(odd).alarmMinutes(), 0);
    EXPECT_EQ(AppointmentForm::of(odd).writtenOver(odd).AlarmTime, at(14, 15, 31));

    const int spins[][3] = {{0, 5, 60}, {60, 0, 55}, {13, 15, 10}, {120, 0, 60}};  // from, up, down
    for (const auto& [from, up, down] : spins) {
        odd.Alarm = true;
        odd.AlarmTime = at(14, 30) - DateTimeSpan::fromParts(0, 0, from, 0);
        AppointmentForm raised = AppointmentForm::of(odd);
        ASSERT_EQ(raised.alarmMinutes(), from);
        AppointmentForm lowered = raised;
        raised.stepAlarmMinutes(true);
        lowered.stepAlarmMinutes(false);
        EXPECT_EQ(raised.alarmMinutes(), up) << from;
        EXPECT_EQ(lowered.alarmMinutes(), down) << from;
    }

    // Clocks go forward on 29 March 2026 here; the move must not shift the wall-clock times.
    TzGuard tz("Europe/Berlin");
    const auto march = [](int day, int hour = 0, int minute = 0) {
        return DateTime::fromFields(2026, 3, day, hour, minute);
    };
    const auto dentistOn = [&](int day) {
        Appointment appointment = appointmentAt("Dentist", march(day, 9), march(day, 10, 30), 15);
        appointment.ID = 4;
        return appointment;
    };
    AppointmentForm form = AppointmentForm::of(dentistOn(20));
    form.setDate(march(30, 17, 12));
    EXPECT_EQ(form.writtenOver(dentistOn(20)), dentistOn(30));
    form.stepEnd(true);
    EXPECT_EQ(form.end(), march(30, 10, 45)) << "steps after the move stay on the new day";
}

TEST(AppointmentForm, NewAppointmentBeginsAtTheNextQuarterHourTheBeginSpinOffers) {
    const int cases[][4] = {// now hour, minute, second; begin quarter of the day
                            {10, 15, 0, 41},
                            {22, 46, 0, 91},
                            {4, 59, 59, 20}};
    for (const auto& [hour, minute, second, quarter] : cases) {
        const AppointmentForm form =
            AppointmentForm::forNew(DateTime::fromFields(2026, 6, 1), at(hour, minute, second));
        const DateTime begin = DateTime::fromFields(2026, 6, 1, quarter / 4, quarter % 4 * 15);
        EXPECT_EQ(form.begin(), begin) << hour << ":" << minute << ":" << second;
        EXPECT_EQ(form.end(), begin + DateTimeSpan::fromParts(0, 0, 15, 0));
    }
    // The time fields show midnight and noon as twelve.
    EXPECT_EQ(AppointmentForm::timeText(at(0, 0)), "12:00 AM");
    EXPECT_EQ(AppointmentForm::timeText(at(9, 30)), "09:30 AM");
    EXPECT_EQ(AppointmentForm::timeText(at(12, 15)), "12:15 PM");
}

}  // namespace
