#include "docfile/ScheduleReader.h"

#include <algorithm>
#include <charconv>

#include "docfile/FieldValues.h"
#include "docfile/ScheduleForm.h"
#include "records/SecondsConverter.h"

namespace form = scheduleform;

namespace {

// A whole decimal number and nothing else. These values are the program's own: unlike the
// version-16 ones, a value that is not a number is damage, not a zero.
template <class Number>
bool readExact(std::string_view text, Number& value) {
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

bool readExact(std::string_view text, std::optional<int64_t>& value) {
    int64_t read = 0;
    if (!readExact(text, read)) return false;
    value = read;
    return true;
}

// A comma list of seconds; an empty text is an empty list.
bool readList(std::string_view text, std::vector<int64_t>& values) {
    values.clear();
    while (!text.empty()) {
        const size_t comma = text.find(',');
        int64_t value = 0;
        if (!readExact(text.substr(0, comma), value)) return false;
        values.push_back(value);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
        if (text.empty()) return false;
    }
    return true;
}

}  // namespace

void ScheduleReader::start() {
    // Most appointments hold nothing beyond version 16: then there is nothing to forget.
    if (!used_) return;
    used_ = false;
    schedule_ = Schedule{};
    lastDay_.reset();
    remindedUntil_.reset();
    added_.clear();
    removed_.clear();
    changes_.clear();
    unreadable_ = false;
}

bool ScheduleReader::attribute(std::string_view name, std::string_view value) {
    bool read = true;
    if (name == form::kAllDay) {
        schedule_.allDay = value == "1";
    } else if (name == form::kLastDay) {
        read = readExact(value, lastDay_);
    } else if (name == form::kZone) {
        // A zone this system does not know is kept all the same: the series then runs on
        // local time here, and keeps its zone for a system that knows it.
        readText(schedule_.zone, value);
    } else if (name == form::kRule) {
        schedule_.rule = RecurrenceRule::parse(value);
        read = schedule_.rule.has_value();
    } else if (name == form::kAdded) {
        read = readList(value, added_);
    } else if (name == form::kRemoved) {
        read = readList(value, removed_);
    } else if (name == form::kRemindedUntil) {
        read = readExact(value, remindedUntil_);
    } else {
        return false;
    }
    used_ = true;
    unreadable_ = unreadable_ || !read;
    return true;
}

void ScheduleReader::occurrenceStart() {
    used_ = true;
    changes_.emplace_back();
}

void ScheduleReader::occurrenceAttribute(std::string_view name, std::string_view value) {
    Change& change = changes_.back();
    bool read = true;
    if (name == form::kReplaces)
        read = readExact(value, change.replaces);
    else if (name == form::kStart)
        read = readExact(value, change.start);
    else if (name == form::kEnd)
        read = readExact(value, change.end);
    else if (name == form::kDescription)
        readText(change.description, value);
    else if (name == form::kAlarm)
        change.alarm = value == "1";
    else if (name == form::kAlarmMinutes)
        read = readExact(value, change.alarmMinutes);
    unreadable_ = unreadable_ || !read;
}

void ScheduleReader::occurrenceEnd() {
    const Change& change = changes_.back();
    // Without the start it replaces and its own times it cannot stand in for anything.
    if (!change.replaces || !change.start || !change.end) unreadable_ = true;
}

void ScheduleReader::finish(ScheduleBox& box, SecondsConverter& seconds) {
    if (unreadable_ || !used_) {
        box.reset();
        return;
    }
    Schedule& s = schedule_;
    if (lastDay_) s.lastDay = seconds.fromSeconds(*lastDay_);
    if (remindedUntil_) s.remindedUntil = seconds.fromSeconds(*remindedUntil_);
    SeriesSeconds series(seconds, s);
    const auto times = [&](const std::vector<int64_t>& values) {
        std::vector<DateTime> result;
        result.reserve(values.size());
        for (const int64_t value : values)
            result.push_back(series.fromSeconds(value));
        // Kept in order, as the series expects them, whatever order the file gave.
        std::sort(result.begin(), result.end());
        return result;
    };
    s.added = times(added_);
    s.removed = times(removed_);
    s.changed.reserve(changes_.size());
    for (Change& change : changes_) {
        s.changed.push_back({series.fromSeconds(*change.replaces),
                             series.fromSeconds(*change.start), series.fromSeconds(*change.end),
                             std::move(change.description), change.alarm, change.alarmMinutes});
    }
    std::stable_sort(s.changed.begin(), s.changed.end(),
                     [](const ChangedOccurrence& a, const ChangedOccurrence& b) {
                         return a.replaces < b.replaces;
                     });
    box.set(std::move(s));
}
