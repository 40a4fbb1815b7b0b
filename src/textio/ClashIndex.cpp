#include "textio/ClashIndex.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "records/Occurrences.h"

void ClashIndex::add(DateTime start, DateTime end) {
    double from = start.continuous();
    double to = end.continuous();
    if (to < from) return;
    if (to == from) {
        moments_.insert(from);
        return;
    }
    // Swallow every span that shares time with the new one; spans that only touch it
    // stay apart, so that their common end is still free for a moment-long appointment.
    auto it = spans_.lower_bound(from);
    if (it != spans_.begin() && std::prev(it)->second > from) --it;
    while (it != spans_.end() && it->first < to) {
        from = std::min(from, it->first);
        to = std::max(to, it->second);
        it = spans_.erase(it);
    }
    spans_.emplace(from, to);
}

bool ClashIndex::overlapsSpan(double from, double to) const {
    // Spans never overlap, so the one starting last before `to` ends last among them.
    const auto it = spans_.lower_bound(to);
    if (it == spans_.begin()) return false;
    return std::prev(it)->second > from;
}

void ClashIndex::addScheduled(const Appointment& appointment) {
    const DaySpan days = coveredDays(appointment);
    scheduled_.push_back(Scheduled{
        &appointment, days.first.continuous(),
        days.last.isNull() ? std::numeric_limits<double>::infinity() : days.last.continuous()});
}

void ClashIndex::takeMonth(DateTime day) {
    const auto fields = day.fields();
    if (!fields || !monthsTaken_.insert(fields->year * 12 + fields->month - 1).second) return;
    const DateTime first = DateTime::fromFields(fields->year, fields->month, 1);
    const int nextYear = fields->month == 12 ? fields->year + 1 : fields->year;
    const int nextMonth = fields->month == 12 ? 1 : fields->month + 1;
    const DateTime next = DateTime::fromFields(nextYear, nextMonth, 1);
    const DateTime last = next.isNull() ? DateTime(DateTime::kMaxValue) : next - DateTimeSpan(1.0);
    for (const Scheduled& s : scheduled_) {
        if (s.first > last.continuous() || s.last < first.continuous()) continue;
        for (const Occurrence& o : occurrencesOnDays(*s.appointment, first, last)) {
            if (!o.allDay()) add(o.start, o.end);
        }
    }
}

bool ClashIndex::clashes(DateTime start, DateTime end) {
    if (!scheduled_.empty()) {
        // Every month from the start's to the end's.
        const DateTime lastDay = std::max(start, end).date();
        for (DateTime day = start.date(); day.isValid() && day <= lastDay;) {
            takeMonth(day);
            const auto f = day.fields();
            day = f->month == 12 ? DateTime::fromFields(f->year + 1, 1, 1)
                                 : DateTime::fromFields(f->year, f->month + 1, 1);
        }
    }
    const double from = start.continuous();
    const double to = std::max(from, end.continuous());
    if (overlapsSpan(from, to)) return true;
    if (from == to) return moments_.count(from) != 0;
    // A moment-long appointment strictly inside the new one.
    const auto moment = moments_.upper_bound(from);
    return moment != moments_.end() && *moment < to;
}
