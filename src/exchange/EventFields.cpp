#include "exchange/EventFields.h"

#include <algorithm>

#include "exchange/CalendarTime.h"
#include "exchange/SeriesWall.h"
#include "fileio/TextEncoding.h"
#include "records/LineBreaks.h"
#include "records/SecondsConverter.h"
#include "records/Trimmed.h"

namespace {

bool isControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F;
}

int32_t clamped(int64_t seconds) {
    return static_cast<int32_t>(std::clamp<int64_t>(seconds, -2'000'000'000, 2'000'000'000));
}

}  // namespace

std::string summaryText(const char* text) {
    // Kept, control characters would make an exported calendar read back otherwise.
    // libical's unescaping may split a character (a backslash before a multi-byte one):
    // what is then no UTF-8 is read as any value is.
    std::string value = valueAsUtf8(text ? text : "");
    std::erase_if(value, isControl);
    return withCrLf(trimmed(value));
}

int64_t secondsFrom(DateTime from, DateTime to) {
    return to.localSeconds().value_or(0) - from.localSeconds().value_or(0);
}

EventTimes timesOf(icalcomponent* event, icalcomponent* calendar, const SeriesWall& wall) {
    EventTimes times;
    const icaltimetype start = startOf(event, calendar);
    times.start = wall.wallOf(start);
    if (!times.start.isValid()) return {};
    const icaltimetype written = endOf(event, calendar);
    const DateTime end = wall.wallOf(written);
    // libical writes no time after the year 3000, so a later end would not come back from
    // an export.
    constexpr int kLastYearWritten = 3000;
    const bool usable = end.isValid() && end.year() <= kLastYearWritten;
    if (wall.allDay())
        times.end = usable && end > times.start ? end : times.start + DateTimeSpan(1.0);
    if (wall.allDay()) return times;
    times.startLater = isLaterLocalTime(start);
    // An end in the second pass of a repeated hour may read earlier than a start in the
    // first and still come after it.
    const std::optional<int64_t> from = instantOfTime(start);
    const std::optional<int64_t> to = instantOfTime(written);
    const bool after = from && to ? *to >= *from : end >= times.start;
    if (usable && after) {
        times.end = end;
        times.endLater = isLaterLocalTime(written);
    } else {
        times.end = times.start;
        times.endLater = times.startLater;
    }
    return times;
}

std::optional<int32_t> alarmOffsetOf(icalcomponent* event, DateTime start, bool startLater,
                                     int64_t length) {
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    icalproperty* trigger =
        alarm ? icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY) : nullptr;
    if (trigger == nullptr) return std::nullopt;
    const icaltriggertype when = icalproperty_get_trigger(trigger);
    if (!icaltime_is_null_time(when.time)) {
        const DateTime at = localTimeOf(when.time);
        if (!at.isValid()) return std::nullopt;
        SecondsConverter seconds(SecondsConverter::Memory::None);
        return clamped(secondsBetween(start, at, seconds, startLater, isLaterLocalTime(when.time)));
    }
    icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
    const bool fromEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
    return clamped(int64_t(icaldurationtype_as_int(when.duration)) + (fromEnd ? length : 0));
}

Appointment appointmentAt(icalcomponent* event, const EventTimes& times, const SeriesWall& wall,
                          const std::string& description, DateTime now) {
    Appointment a = Appointment::createdAt(now);
    a.Description = description;
    Schedule schedule;
    if (wall.allDay()) {
        const DateTime last = (times.end - DateTimeSpan(1.0)).date();
        schedule.allDay = true;
        a.StartTime = times.start;
        // What a reader of version 16 shows of whole days.
        a.EndTime = DateTime::fromFields(last.year(), last.month(), last.day(), 23, 59);
        if (last > times.start) schedule.lastDay = last;
    } else {
        a.StartTime = wall.localOf(times.start);
        a.EndTime = wall.localOf(times.end);
        if (times.startLater) a.laterOfTwo |= Appointment::kLaterStart;
        if (times.endLater) a.laterOfTwo |= Appointment::kLaterEnd;
        SecondsConverter seconds(SecondsConverter::Memory::None);
        if (!a.EndTime.isValid() ||
            secondsBetween(a.StartTime, a.EndTime, seconds, times.startLater, times.endLater) < 0) {
            a.EndTime = a.StartTime;
            a.laterOfTwo = times.startLater ? Appointment::kLaterStart | Appointment::kLaterEnd : 0;
        }
        if (a.EndTime.date() > a.StartTime.date()) schedule.lastDay = a.EndTime.date();
        schedule.zone = wall.zoneName();
    }
    a.DueDate = a.StartTime.date();
    const bool startLater = a.later(Appointment::kLaterStart);
    const std::optional<int32_t> alarm =
        alarmOffsetOf(event, a.StartTime, startLater, secondsFrom(times.start, times.end));
    a.Alarm = alarm.has_value();
    // As the clocks run, so that an alarm 45 minutes before a start just after the clocks
    // went forward rings 45 minutes before it.
    SecondsConverter seconds(SecondsConverter::Memory::None);
    bool alarmLater = startLater;
    a.AlarmTime = elapsedFrom(a.StartTime, alarm.value_or(0), seconds, &alarmLater);
    if (!a.AlarmTime.isValid()) a.AlarmTime = a.StartTime;
    if (a.Alarm && alarmLater) a.laterOfTwo |= Appointment::kLaterAlarm;
    a.Done = false;
    a.schedule.set(std::move(schedule));
    return a;
}
