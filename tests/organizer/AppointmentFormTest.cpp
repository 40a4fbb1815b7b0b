#include "organizer/AppointmentForm.h"

#include <gtest/gtest.h>

#include "support/ProcessGuards.h"
#include "support/Records.h"

namespace {

DateTime at(int hour, int minute, int second = 0) {
    return DateTime::fromFields(2026, 5, 10, hour, minute, second);
}

Appointment dentist(DateTime begin, DateTime end, std::optional<int> alarmMinutes = {}) {
    Appointment appointment = appointmentAt("Dentist", begin, end, alarmMinutes);
    appointment.ID = 4;
    return appointment;
}

TEST(AppointmentForm, SpinsStepByQuartersWrapAtTheEndsAndPushTheOtherTime) {
    // The times before, which spin turns which way, and the times after.
    const std::tuple<const char*, DateTime, DateTime, bool, bool, DateTime, DateTime> cases[] = {
        {"begin up pushes the end", at(9, 0), at(9, 15), true, true, at(9, 15), at(9, 30)},
        {"begin up wraps", at(22, 45), at(23, 0), true, true, at(5, 0), at(23, 0)},
        {"begin down wraps, pushing the end", at(5, 0), at(9, 0), true, false, at(22, 45),
         at(23, 0)},
        {"end down pushes the begin", at(9, 0), at(9, 15), false, false, at(8, 45), at(9, 0)},
        {"end up wraps", at(22, 0), at(23, 0), false, true, at(5, 0), at(5, 15)},
        {"end down wraps", at(5, 0), at(5, 15), false, false, at(5, 0), at(23, 0)},
        // Times written by other programs step onto the quarter hours inside the range.
        {"begin beyond the range", at(23, 30), at(23, 45), true, true, at(5, 0), at(23, 45)},
        {"begin off the quarters", at(4, 10), at(4, 40), true, true, at(5, 0), at(5, 15)},
        {"end before the range", at(1, 0), at(2, 0), false, true, at(1, 0), at(5, 15)},
    };
    for (const auto& [label, begin, end, beginSpin, up, newBegin, newEnd] : cases) {
        SCOPED_TRACE(label);
        AppointmentForm form = AppointmentForm::of(dentist(begin, end));
        beginSpin ? form.stepBegin(up) : form.stepEnd(up);
        EXPECT_EQ(std::pair(form.begin(), form.end()), std::pair(newBegin, newEnd));
    }
}

TEST(AppointmentForm, TypedTimesSnapToQuartersInsideTheRangeAndPushTheOtherTime) {
    using Typed = AppointmentForm::Typed;
    // The text, whether typed into the begin field (else the end field), the times after,
    // and what became of it; the appointment runs from 9:00 to 10:00 before each case.
    const std::tuple<const char*, bool, DateTime, DateTime, Typed> cases[] = {
        {"1:30 PM", true, at(13, 30), at(13, 45), Typed::Taken},
        {"9.08", true, at(9, 15), at(10, 0), Typed::Taken},
        // without AM or PM, 1 to 4 are the afternoon
        {"2", true, at(14, 0), at(14, 15), Typed::Taken},
        // Outside the range: its nearest end, which the dialog then says.
        {"12a", true, at(5, 0), at(10, 0), Typed::MovedIntoRange},
        {"4a", true, at(5, 0), at(10, 0), Typed::MovedIntoRange},
        {"11 pm", true, at(22, 45), at(23, 0), Typed::MovedIntoRange},
        {"1130p", false, at(9, 0), at(23, 0), Typed::MovedIntoRange},
        {"10:52 PM", false, at(9, 0), at(22, 45), Typed::Taken},
        {"8h30", false, at(8, 15), at(8, 30), Typed::Taken},
        // Not a time: nothing changes.
        {"lunch", true, at(9, 0), at(10, 0), Typed::NotATime},
        {"13 pm", false, at(9, 0), at(10, 0), Typed::NotATime},
    };
    for (const auto& [typed, begin, newBegin, newEnd, outcome] : cases) {
        AppointmentForm form = AppointmentForm::of(dentist(at(9, 0), at(10, 0)));
        EXPECT_EQ(begin ? form.typeBegin(typed) : form.typeEnd(typed), outcome) << typed;
        EXPECT_EQ(std::pair(form.begin(), form.end()), std::pair(newBegin, newEnd)) << typed;
    }
    EXPECT_EQ(AppointmentForm::beginRangeText(), "Begin times run from 05:00 AM to 10:45 PM.");
    EXPECT_EQ(AppointmentForm::beginRangeText(true), "Begin times run from 05:00 to 22:45.");
    EXPECT_EQ(AppointmentForm::endRangeText(), "End times run from 05:15 AM to 11:00 PM.");
}

TEST(AppointmentForm, TypedAlarmMinutesTakeTheNearestStepWithinZeroToSixty) {
    using Typed = AppointmentForm::Typed;
    const std::tuple<const char*, int, Typed> cases[] = {
        {"20", 20, Typed::Taken},
        {" 7 ", 5, Typed::Taken},
        {"8", 10, Typed::Taken},
        {"0", 0, Typed::Taken},
        {"62", 60, Typed::MovedIntoRange},
        {"90", 60, Typed::MovedIntoRange},
        {"-3", 0, Typed::MovedIntoRange},
        {"99999999999", 15, Typed::NotATime},  // no number anyone means: kept as it was
        {"soon", 15, Typed::NotATime},
    };
    for (const auto& [typed, minutes, outcome] : cases) {
        AppointmentForm form = AppointmentForm::of(dentist(at(9, 0), at(10, 0)));
        ASSERT_TRUE(form.setAlarmMinutes(15));
        EXPECT_EQ(form.typeAlarmMinutes(typed), outcome) << typed;
        EXPECT_EQ(form.alarmMinutes(), minutes) << typed;
    }
    EXPECT_EQ(AppointmentForm::alarmRangeText(), "Minutes run from 0 to 60, in steps of 5.");
}

TEST(AppointmentForm, AlarmMinutesSurviveReopeningSpinBetweenZeroAndSixtyAndMoveWithTheDate) {
    for (const int minutes : {0, 15, 60}) {
        AppointmentForm form = AppointmentForm::of(dentist(at(14, 30), at(15, 0)));
        form.setAlarm(true);
        ASSERT_TRUE(form.setAlarmMinutes(minutes));
        const Appointment saved = form.writtenOver(dentist(at(14, 30), at(15, 0)));
        EXPECT_TRUE(saved.Alarm);
        EXPECT_EQ(saved.AlarmTime, at(14, 30) - DateTimeSpan::fromParts(0, 0, minutes, 0));
        EXPECT_EQ(AppointmentForm::of(saved).alarmMinutes(), minutes);
        EXPECT_EQ(AppointmentForm::of(saved).writtenOver(saved), saved) << minutes;
    }
    // An alarm time off the whole minute shows rounded; an unset alarm keeps its time.
    Appointment odd = dentist(at(14, 30), at(15, 0));
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
    const auto dentistOn = [&](int day) { return dentist(march(day, 9), march(day, 10, 30), 15); };
    AppointmentForm form = AppointmentForm::of(dentistOn(20));
    form.setDate(march(30, 17, 12));
    EXPECT_EQ(form.writtenOver(dentistOn(20)), dentistOn(30));
    form.stepEnd(true);
    EXPECT_EQ(form.end(), march(30, 10, 45)) << "steps after the move stay on the new day";
}

TEST(AppointmentForm, NewAppointmentBeginsAtTheNextQuarterHourTheBeginSpinOffers) {
    // The time now (hour, minute, second) and the quarter of the day the appointment begins.
    const int cases[][4] = {{10, 15, 0, 41}, {22, 46, 0, 91}, {4, 59, 59, 20}};
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
