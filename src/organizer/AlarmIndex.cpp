#include "organizer/AlarmIndex.h"

#include <algorithm>

#include "records/Occurrences.h"
#include "records/PimDocument.h"

namespace {

// The half second by which a tick counts an alarm as rung (see isAlarmDue).
constexpr double kHalfSecond = 0.5 / 86400.0;

}  // namespace

void AlarmIndex::rebuild(const PimDocument& document) {
    entries_.clear();
    schedules_.clear();
    pastDay_ = DateTime();
    pastIds_.clear();
    const DateTime today = DateTime::today(document.clock());
    for (const auto& [id, appointment] : document.appointments()) {
        if (!appointment.schedule.has()) {
            if (appointment.Alarm) {
                entries_.push_back(Entry{appointment.DueDate.date().continuous(),
                                         appointment.AlarmTime.continuous(), id});
            }
        } else if (hasAnyAlarm(appointment)) {
            schedules_.push_back(
                Scheduled{id, today,
                          nextAlarm(appointment, today, appointment.schedule.get().remindedUntil)});
        }
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.day < b.day; });
    noteBounds();
}

void AlarmIndex::noteBounds() {
    earliestAlarm_ = latestSince_ = DateTime();
    for (const Scheduled& scheduled : schedules_) {
        if (!scheduled.nextAlarm.isNull() &&
            (earliestAlarm_.isNull() || scheduled.nextAlarm < earliestAlarm_))
            earliestAlarm_ = scheduled.nextAlarm;
        if (latestSince_.isNull() || scheduled.since > latestSince_) latestSince_ = scheduled.since;
    }
}

void AlarmIndex::collectOrdinary(const PimDocument& document, DateTime shown, DateTime now,
                                 std::vector<int32_t>& ids) const {
    const auto from = [this](double day) {
        return std::lower_bound(entries_.begin(), entries_.end(), day,
                                [](const Entry& e, double d) { return e.day < d; });
    };
    // Most alarms of the days examined lie ahead; only those near enough are looked up,
    // and the record decides.
    const double nearEnough = now.continuous() + 1.0 / 86400.0;
    const auto collect = [&](auto first, auto last) {
        for (auto it = first; it != last; ++it) {
            if (it->alarm > nearEnough) continue;
            const Appointment* appointment = document.appointments().find(it->id);
            if (appointment != nullptr && isAlarmDue(*appointment, now)) ids.push_back(it->id);
        }
    };
    const double today = now.date().continuous();
    const double shownDay = shown.continuous();
    // A shown day before today adds its own appointments; from today on they are examined
    // anyway.
    if (shownDay < today) {
        const auto first = from(shownDay);
        collect(first, std::upper_bound(first, entries_.end(), shownDay,
                                        [](double d, const Entry& e) { return d < e.day; }));
    }
    collect(from(today), entries_.end());
}

const std::vector<int32_t>& AlarmIndex::ringingOn(const PimDocument& document, DateTime day) {
    if (pastDay_ == day) return pastIds_;
    pastDay_ = day;
    pastIds_.clear();
    for (const Scheduled& scheduled : schedules_) {
        const Appointment* appointment = document.appointments().find(scheduled.id);
        if (appointment == nullptr) continue;
        const auto occurrences = occurrencesOnDays(*appointment, day, day);
        if (std::any_of(occurrences.begin(), occurrences.end(), alarmStillSet))
            pastIds_.push_back(scheduled.id);
    }
    return pastIds_;
}

void AlarmIndex::collectScheduled(const PimDocument& document, DateTime shown, DateTime now,
                                  const Locale& locale, std::vector<Reminder>& due) {
    const DateTime today = now.date();
    const std::vector<int32_t> noPast;
    const std::vector<int32_t>& past = shown < today ? ringingOn(document, shown) : noPast;
    for (Scheduled& scheduled : schedules_) {
        // Nothing rings before the next alarm, unless the day shown holds an alarm of its own.
        const bool waiting = now >= scheduled.since &&
                             (scheduled.nextAlarm.isNull() ||
                              now.continuous() + kHalfSecond < scheduled.nextAlarm.continuous());
        if (waiting && !std::binary_search(past.begin(), past.end(), scheduled.id)) continue;
        const Appointment* appointment = document.appointments().find(scheduled.id);
        if (appointment == nullptr) continue;
        const Occurrence ringing = dueOccurrence(*appointment, shown, now);
        if (!ringing.start.isNull()) {
            due.push_back(reminderFor(ringing, locale));
        } else if (!waiting && now >= scheduled.since) {
            // Rung and done with, or past: wait for the alarm after now.
            const DateTime done = appointment->schedule.get().remindedUntil;
            scheduled.since = now;
            scheduled.nextAlarm = nextAlarm(*appointment, today, std::max(now, done));
        }
    }
}

std::vector<Reminder> AlarmIndex::dueReminders(const PimDocument& document, DateTime shown,
                                               DateTime now, const Locale& locale) {
    std::vector<int32_t> ids;
    collectOrdinary(document, shown, now, ids);
    std::vector<Reminder> occurrences;
    const DateTime today = now.date();
    const bool allWaiting =
        shown >= today && now >= latestSince_ &&
        (earliestAlarm_.isNull() || now.continuous() + kHalfSecond < earliestAlarm_.continuous());
    if (!schedules_.empty() && !allWaiting) {
        collectScheduled(document, shown, now, locale, occurrences);
        noteBounds();
    }
    std::sort(ids.begin(), ids.end());

    std::vector<Reminder> due;
    due.reserve(ids.size() + occurrences.size());
    for (const int32_t id : ids)
        due.push_back(reminderFor(id, *document.appointments().find(id)));
    // Both lists ascend by ID; an appointment is in one of them only.
    std::vector<Reminder> merged;
    merged.reserve(due.size() + occurrences.size());
    std::merge(due.begin(), due.end(), occurrences.begin(), occurrences.end(),
               std::back_inserter(merged),
               [](const Reminder& a, const Reminder& b) { return a.id < b.id; });
    return merged;
}
