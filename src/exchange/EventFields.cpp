#include "exchange/EventFields.h"

#include <algorithm>

#include "exchange/CalendarTime.h"
#include "exchange/SeriesWall.h"
#include "fileio/TextEncoding.h"
#include "records/LineBreaks.h"
#include "records/SecondsConverter.h"
#include "records/Trimmed.h"

namespace {

int32_t clamped(int64_t seconds) {
    return static_cast<int32_t>(std::clamp<int64_t>(seconds, -2'000'000'000, 2'000'000'000));
}

// A duration's days (weeks among them), which are days of the wall clock, and the rest in
// seconds, which pass as written.
struct Lead {
    int64_t days = 0;
    int64_t seconds = 0;
};

Lead leadOf(const icaldurationtype& d) {
    const int64_t sign = d.is_neg ? -1 : 1;
    return {sign * (int64_t(d.weeks) * 7 + d.days),
            sign * (int64_t(d.hours) * 3600 + int64_t(d.minutes) * 60 + d.seconds)};
}

// A duration also as programs write it against RFC 5545, without the "T" before hours,
// minutes or seconds ("-P300S"); none for text that is no duration.
std::optional<Lead> looseDuration(std::string_view text) {
    text = trimmed(text);
    int64_t sign = 1;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        sign = text[0] == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    if (text.empty() || (text[0] != 'P' && text[0] != 'p')) return std::nullopt;
    text.remove_prefix(1);
    Lead lead;
    bool any = false;
    while (!text.empty()) {
        if (text[0] == 'T' || text[0] == 't') {
            text.remove_prefix(1);
            continue;
        }
        int64_t number = 0;
        size_t digits = 0;
        // Nine digits are more seconds than any alarm is ahead, and cannot overflow.
        constexpr size_t kMostDigits = 9;
        while (digits < text.size() && digits <= kMostDigits && text[digits] >= '0' &&
               text[digits] <= '9')
            number = number * 10 + (text[digits++] - '0');
        if (digits == 0 || digits == text.size() || digits > kMostDigits) return std::nullopt;
        // Months have no place in a duration of RFC 5545: an M is minutes, with or without T.
        switch (text[digits] | 0x20) {
            case 'w':
                lead.days += number * 7;
                break;
            case 'd':
                lead.days += number;
                break;
            case 'h':
                lead.seconds += number * 3600;
                break;
            case 'm':
                lead.seconds += number * 60;
                break;
            case 's':
                lead.seconds += number;
                break;
            default:
                return std::nullopt;
        }
        any = true;
        text.remove_prefix(digits + 1);
    }
    if (!any) return std::nullopt;
    return Lead{sign * lead.days, sign * lead.seconds};
}

// The trigger of an alarm that libical could not read, and removed, read loosely: libical
// names what it removed at the end of its note ("...: -P300S").
std::optional<Lead> droppedTrigger(icalcomponent* alarm) {
    for (icalproperty* p = icalcomponent_get_first_property(alarm, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(alarm, ICAL_XLICERROR_PROPERTY)) {
        const char* note = icalproperty_get_xlicerror(p);
        const std::string_view text = note != nullptr ? note : "";
        const size_t value = text.rfind(": ");
        if (text.find("TRIGGER") == std::string_view::npos || value == std::string_view::npos)
            continue;
        if (const auto lead = looseDuration(text.substr(value + 2))) return lead;
    }
    return std::nullopt;
}

// The seconds from `base` to the same time of day `days` days away on the clock of its zone,
// as RFC 5545 counts a duration's days: across a change of the clocks a day lasts 23 or 25
// hours. A floating time and a date go by the local clock, and so does `fallback` (with its
// later-of-two flag) for a base that cannot be read.
int64_t daysFrom(const icaltimetype& base, DateTime fallback, bool later, int64_t days) {
    constexpr int64_t kDay = 86400;
    // Further than any alarm is ahead (past the 2e9 seconds an offset holds), an hour more
    // or less changes nothing.
    constexpr int64_t kMostDays = 30'000;
    if (days == 0 || days < -kMostDays || days > kMostDays) return days * kDay;
    const DateTime written = localTimeOf(base);
    if (written.isValid()) {
        icaltimetype moved = base;
        icaltime_adjust(&moved, static_cast<int>(days), 0, 0, 0);
        const std::optional<int64_t> from = instantOfTime(base), to = instantOfTime(moved);
        if (from && to) return *to - *from;
    }
    const DateTime local = written.isValid() ? written : fallback;
    const std::optional<int64_t> wall = local.localSeconds();
    const DateTime there = wall ? DateTime::fromLocalSeconds(*wall + days * kDay) : DateTime();
    if (!there.isValid()) return days * kDay;
    SecondsConverter seconds(SecondsConverter::Memory::None);
    return secondsBetween(local, there, seconds, later, false);
}

}  // namespace

std::string summaryText(const char* text) {
    // Kept, control characters would make an exported calendar read back otherwise.
    // libical's unescaping may split a character (a backslash before a multi-byte one):
    // what is then no UTF-8 is read as any value is.
    std::string value = valueAsUtf8(text ? text : "");
    std::erase_if(value, isStrayControl);
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

std::optional<int32_t> alarmOffsetOf(icalcomponent* event, icalcomponent* calendar,
                                     const Appointment& a, int64_t length) {
    const bool startLater = a.later(Appointment::kLaterStart);
    // The first alarm that can be read; one that cannot is named in a note by the reader.
    for (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
         alarm; alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
        icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        std::optional<Lead> lead;
        bool fromEnd = false;
        if (trigger == nullptr) {
            lead = droppedTrigger(alarm);
            if (!lead) continue;
        } else {
            const icaltriggertype when = icalproperty_get_trigger(trigger);
            if (!icaltime_is_null_time(when.time)) {
                const DateTime at = localTimeOf(when.time);
                if (!at.isValid()) continue;
                SecondsConverter seconds(SecondsConverter::Memory::None);
                return clamped(secondsBetween(a.StartTime, at, seconds, startLater,
                                              isLaterLocalTime(when.time)));
            }
            icalparameter* related =
                icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
            fromEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
            lead = leadOf(when.duration);
        }
        if (fromEnd)
            return clamped(length + lead->seconds +
                           daysFrom(endOf(event, calendar), a.EndTime,
                                    a.later(Appointment::kLaterEnd), lead->days));
        return clamped(lead->seconds +
                       daysFrom(startOf(event, calendar), a.StartTime, startLater, lead->days));
    }
    return std::nullopt;
}

bool hasUnreadAlarm(icalcomponent* event) {
    for (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
         alarm; alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
        icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        if (trigger == nullptr) {
            if (!droppedTrigger(alarm)) return true;
            continue;
        }
        const icaltimetype at = icalproperty_get_trigger(trigger).time;
        if (!icaltime_is_null_time(at) && !localTimeOf(at).isValid()) return true;
    }
    return false;
}

Appointment appointmentAt(icalcomponent* event, icalcomponent* calendar, const EventTimes& times,
                          const SeriesWall& wall, const std::string& description, DateTime now) {
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
        alarmOffsetOf(event, calendar, a, secondsFrom(times.start, times.end));
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
