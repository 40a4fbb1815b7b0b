#include "organizer/AppointmentForm.h"

#include <gtest/gtest.h>

#include "support/ProcessGuards.h"
#include "support/Records.h"
#include "support/SeriesRecords.h"

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
    // and what became of it; the appointment runs from 9:00 to 10:00 before each case. What
    // reads as a time is the time-of-day grammar's rule.
    const std::tuple<const char*, bool, DateTime, DateTime, Typed> cases[] = {
        {"1:30 PM", true, at(13, 30), at(13, 45), Typed::Taken},
        {"9.08", true, at(9, 15), at(10, 0), Typed::Taken},
        // Outside the range: its nearest end, which the dialog then says.
        {"12a", true, at(5, 0), at(10, 0), Typed::MovedIntoRange},
        {"11 pm", true, at(22, 45), at(23, 0), Typed::MovedIntoRange},
        {"1130p", false, at(9, 0), at(23, 0), Typed::MovedIntoRange},
        {"10:52 PM", false, at(9, 0), at(22, 45), Typed::Taken},
        {"8h30", false, at(8, 15), at(8, 30), Typed::Taken},
        // Not a time: nothing changes.
        {"lunch", false, at(9, 0), at(10, 0), Typed::NotATime},
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

TEST(AppointmentForm, WholeDaysAndSeveralDaysAreStoredAsImportsStoreThemAndMoveTogether) {
    const auto may = [](int day, int hour = 0, int minute = 0) {
        return DateTime::fromFields(2026, 5, day, hour, minute);
    };
    AppointmentForm days = AppointmentForm::forNew(may(12), may(10, 9));
    days.setDescription("Fair");
    days.setAllDay(true);
    days.setEndDate(may(14));
    days.setAlarm(true);
    ASSERT_TRUE(days.setAlarmMinutes(15));
    const Appointment fair = days.writtenOver(Appointment());
    EXPECT_EQ(std::tuple(fair.StartTime, fair.EndTime, fair.AlarmTime),
              std::tuple(may(12), may(14, 23, 59), may(11, 23, 45)));
    EXPECT_EQ(fair.schedule.get(), wholeDays("Fair", may(12), may(14)).schedule.get());
    EXPECT_EQ(AppointmentForm::of(fair).writtenOver(fair), fair) << "reopened unchanged";

    // Timed over two days: the end may come earlier in its day than the begin.
    AppointmentForm night = AppointmentForm::of(dentist(may(12, 22), may(12, 22, 30)));
    night.setEndDate(may(13));
    night.typeEnd("9:00");
    EXPECT_EQ(std::pair(night.begin(), night.end()), std::pair(may(12, 22), may(13, 9)));
    EXPECT_EQ(night.writtenOver(Appointment()).schedule.get().lastDay, may(13));
    night.setDate(may(20));
    EXPECT_EQ(std::pair(night.endDate(), night.end()), std::pair(may(21), may(21, 9)));
    night.setEndDate(may(19));
    EXPECT_EQ(std::pair(night.begin(), night.end()), std::pair(may(20, 8, 45), may(20, 9)))
        << "back on one day the end pushes the begin";
    EXPECT_FALSE(night.writtenOver(Appointment()).schedule.has());
}

TEST(AppointmentForm, EditingASeriesKeepsItsZoneAndTheExceptionsThatStillFallOnIt) {
    TzGuard tz("Europe/Berlin");
    const auto dec = [](int day, int hour) { return DateTime::fromFields(2026, 12, day, hour); };
    // 9:00 here is 3:00 in New York, where its exceptions are keyed.
    Appointment series = repeating(dentist(dec(7, 9), dec(7, 10)), "FREQ=WEEKLY");
    Schedule& s = series.schedule.edit();
    s.zone = "America/New_York";
    s.removed = {dec(14, 3)};
    s.changed = {{dec(21, 3), dec(21, 5), dec(21, 6), "Dentist, later", false, 0}};
    s.added = {dec(23, 3)};

    AppointmentForm same = AppointmentForm::of(series);
    same.setDescription("Dentist again");
    EXPECT_EQ(same.writtenOver(series).schedule, series.schedule);

    AppointmentForm later = AppointmentForm::of(series);
    ASSERT_TRUE(later.setTimes(10, 0, 11, 0));
    const Schedule moved = later.writtenOver(series).schedule.get();
    EXPECT_EQ(moved.removed, std::vector{dec(14, 4)}) << "exceptions follow the start";
    ASSERT_EQ(moved.changed.size(), 1u);
    EXPECT_EQ(std::pair(moved.changed[0].replaces, moved.changed[0].start),
              std::pair(dec(21, 4), dec(21, 5)));

    AppointmentForm daily = AppointmentForm::of(series);
    daily.repeat().setKind(RepeatForm::Kind::Daily);
    daily.repeat().setEnding(RepeatForm::Ending::AfterCount);
    daily.repeat().setCount(10);
    const Schedule replaced = daily.writtenOver(series).schedule.get();
    EXPECT_EQ(std::tuple(replaced.zone, replaced.removed, replaced.changed.size(), replaced.added),
              std::tuple(s.zone, s.removed, size_t{0}, s.added))
        << "the 21st is past the tenth day";

    AppointmentForm single = AppointmentForm::of(series);
    single.repeat().setKind(RepeatForm::Kind::None);
    const Schedule none = single.writtenOver(series).schedule.get();
    EXPECT_EQ(std::tuple(none.rule.has_value(), none.removed.size(), none.changed.size(),
                         none.added.size(), none.zone),
              std::tuple(false, size_t{0}, size_t{0}, size_t{0}, s.zone));

    // A rule the choices cannot show stays as it came.
    const Appointment foreign =
        repeating(dentist(dec(7, 9), dec(7, 10)), "FREQ=MONTHLY;BYDAY=MO,TU;BYSETPOS=-1");
    AppointmentForm kept = AppointmentForm::of(foreign);
    EXPECT_EQ(kept.repeat().kind(), RepeatForm::Kind::Kept);
    kept.setDescription("Dentist, last weekday");
    EXPECT_EQ(kept.writtenOver(foreign).schedule, foreign.schedule);
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
