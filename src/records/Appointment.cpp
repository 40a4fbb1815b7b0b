#include "records/Appointment.h"

Appointment Appointment::createdAt(DateTime now) {
    Appointment appointment;
    appointment.DueDate = now;
    appointment.StartTime = now;
    appointment.EndTime = now;
    appointment.AlarmTime = now;
    return appointment;
}

void Appointment::forgetLaterWhereChanged(const Appointment& before) {
    const auto forget = [&](uint8_t bit, DateTime now, DateTime was) {
        if (now != was) laterOfTwo = static_cast<uint8_t>(laterOfTwo & ~bit);
    };
    forget(kLaterDue, DueDate, before.DueDate);
    forget(kLaterStart, StartTime, before.StartTime);
    forget(kLaterEnd, EndTime, before.EndTime);
    forget(kLaterAlarm, AlarmTime, before.AlarmTime);
}

namespace {

// `time` where it lies on `day`'s day or less than a day after `day`; else its time of day
// on `day`'s day. After a change of time zone a stored time and its stored day move alike,
// and the day's midnight may fall on the evening before.
DateTime onDay(DateTime time, DateTime day) {
    if (time.date() == day.date() || (time >= day && time - day < DateTimeSpan(1.0))) return time;
    const auto fields = time.fields();
    if (!fields) return day.date();
    return day.date() + DateTimeSpan::fromParts(0, fields->hour, fields->minute, fields->second);
}

}  // namespace

DateTime Appointment::firstStart() const {
    if (schedule.get().allDay) return DueDate.date();
    return onDay(StartTime, DueDate);
}

DateTime Appointment::firstEnd() const {
    const Schedule& s = schedule.get();
    return onDay(EndTime, s.lastDay.isNull() ? DueDate : s.lastDay);
}
