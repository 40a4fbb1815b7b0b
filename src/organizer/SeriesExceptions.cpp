#include "organizer/SeriesExceptions.h"

#include <algorithm>

#include "records/Occurrences.h"

namespace {

constexpr int64_t kDay = 86400;

int64_t secondOfDay(int64_t seconds) {
    return seconds - (seconds / kDay - (seconds % kDay < 0 ? 1 : 0)) * kDay;
}

// `time` moved by whole seconds, so that it meets the starts the series computes exactly.
DateTime movedBy(DateTime time, int64_t seconds) {
    const auto local = time.localSeconds();
    return local ? DateTime::fromLocalSeconds(*local + seconds) : time;
}

bool isStartOf(const Appointment& series, DateTime key) {
    return occurrenceAt(series, key).start.isValid();
}

// A date that takes out a whole day of a timed series: kept while any start falls on it.
bool takesOutStartOf(const Appointment& series, DateTime date) {
    const int64_t own = date.localSeconds().value_or(0);
    const auto starts = startsRemovedBy(series, date);
    return std::any_of(starts.begin(), starts.end(), [&](int64_t start) { return start != own; });
}

}  // namespace

void keepFittingExceptions(const Appointment& before, Appointment& after) {
    if (!before.schedule.has()) return;
    const Schedule& old = before.schedule.get();
    if (old.removed.empty() && old.changed.empty()) return;
    if (!after.repeats()) {
        Schedule& s = after.schedule.edit();
        s.removed.clear();
        s.changed.clear();
        s.added.clear();
        after.schedule.set(std::move(s));
        return;
    }
    // The keys are wall times of the series (its zone's, where it has one).
    const int64_t first = seriesOutline(before).first;
    const int64_t shift = secondOfDay(seriesOutline(after).first) - secondOfDay(first);
    // A date among the removed starts of a timed series takes out its whole day.
    const bool datesTakeDays = !old.allDay && secondOfDay(first) != 0;

    // The series with no exceptions, to ask which starts it makes.
    Appointment plain = after;
    plain.schedule.edit().removed.clear();
    plain.schedule.edit().changed.clear();

    std::vector<DateTime> removed;
    for (const DateTime r : old.removed) {
        const bool wholeDay = datesTakeDays && r == r.date();
        const DateTime moved = wholeDay ? r : movedBy(r, shift);
        if (wholeDay ? takesOutStartOf(plain, moved) || isStartOf(plain, moved)
                     : isStartOf(plain, moved))
            removed.push_back(moved);
    }
    std::vector<ChangedOccurrence> changed;
    for (ChangedOccurrence c : old.changed) {
        c.replaces = movedBy(c.replaces, shift);
        if (isStartOf(plain, c.replaces)) changed.push_back(c);
    }
    std::sort(removed.begin(), removed.end());
    removed.erase(std::unique(removed.begin(), removed.end()), removed.end());
    std::sort(changed.begin(), changed.end(),
              [](const ChangedOccurrence& a, const ChangedOccurrence& b) {
                  return a.replaces < b.replaces;
              });
    Schedule& s = after.schedule.edit();
    s.removed = std::move(removed);
    s.changed = std::move(changed);
}
