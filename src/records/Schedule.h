#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/DateTime.h"
#include "records/RecurrenceRule.h"

// One occurrence of a series changed on its own: other times, another description or
// alarm, or moved to another day. Keyed by the start it replaces.
struct ChangedOccurrence {
    DateTime replaces;  // the start the rule gives it, in the series' wall time
    DateTime start;     // its own start and end, in the series' wall time (dates included)
    DateTime end;
    std::string description;
    bool alarm = false;
    int32_t alarmMinutes = 0;  // how long before the start the alarm rings
    bool operator==(const ChangedOccurrence&) const = default;
};

// What an appointment holds beyond the fields of version 16: whole days, several days, a
// time zone, a repeat rule and its exceptions. An ordinary appointment has none of it.
//
// Times here are wall-clock times of the series: local time when `zone` is empty (as every
// appointment made here), otherwise the time of that zone, so that a series from another
// program keeps its local hour on both sides of a daylight-saving change of its own zone.
struct Schedule {
    bool allDay = false;  // whole days, no times
    DateTime lastDay;  // the day it ends when later than the day it starts (00:00); null otherwise
    std::string zone;  // the series' time zone ("Europe/Berlin"); "" for local time
    std::optional<RecurrenceRule> rule;
    std::vector<DateTime> added;             // extra starts (RDATE), ascending
    std::vector<DateTime> removed;           // starts taken out (EXDATE), ascending; a date (00:00)
                                             // of a timed series takes out the whole day
    std::vector<ChangedOccurrence> changed;  // ascending by `replaces`
    DateTime remindedUntil;                  // alarms ringing at or before this local time are done

    // The last start of a counted rule, found once for the first start it was found from
    // rather than at every query. Not part of the value.
    struct CountedEnd {
        int64_t first = 0;
        int64_t last = 0;
        bool known = false;
        bool operator==(const CountedEnd&) const { return true; }
    };
    mutable CountedEnd countedEnd;

    // Whether it holds nothing: the appointment is an ordinary one.
    [[nodiscard]] bool empty() const;
    // Whether it repeats: a rule, extra starts or changed occurrences.
    [[nodiscard]] bool repeats() const { return rule || !added.empty() || !changed.empty(); }

    bool operator==(const Schedule&) const = default;
};

// A value that owns a Schedule or nothing: copying copies it, comparing compares it. Keeps
// an ordinary appointment as small as before.
class ScheduleBox {
public:
    ScheduleBox() = default;
    ScheduleBox(const ScheduleBox& other)
        : value_(other.value_ ? std::make_unique<Schedule>(*other.value_) : nullptr) {}
    ScheduleBox(ScheduleBox&&) noexcept = default;
    ScheduleBox& operator=(const ScheduleBox& other) {
        if (this != &other)
            value_ = other.value_ ? std::make_unique<Schedule>(*other.value_) : nullptr;
        return *this;
    }
    ScheduleBox& operator=(ScheduleBox&&) noexcept = default;

    // The schedule, or one that holds nothing.
    [[nodiscard]] const Schedule& get() const { return value_ ? *value_ : kNone; }
    // The schedule to change, made when there is none.
    [[nodiscard]] Schedule& edit() {
        if (!value_) value_ = std::make_unique<Schedule>();
        value_->countedEnd = {};
        return *value_;
    }
    // Sets it; one that holds nothing is not kept.
    void set(Schedule schedule) {
        value_ = schedule.empty() ? nullptr : std::make_unique<Schedule>(std::move(schedule));
    }
    void reset() { value_.reset(); }
    [[nodiscard]] bool has() const { return value_ && !value_->empty(); }

    bool operator==(const ScheduleBox& other) const { return get() == other.get(); }

private:
    static const Schedule kNone;
    std::unique_ptr<Schedule> value_;
};
