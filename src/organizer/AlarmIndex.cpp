#include "organizer/AlarmIndex.h"

#include <algorithm>
#include <span>

#include "records/Occurrences.h"
#include "records/PimDocument.h"

namespace {

// The half second by which a tick counts an alarm as rung (see isAlarmDue).
constexpr double kHalfSecond = 0.5 / 86400.0;

}  // namespace

void AlarmIndex::rebuild(const PimDocument& document) {
    entries_.clear();
    schedules_.clear();
    // A tick may look back a day from any moment of today: alarms from the start of the
    // day before, on occurrences that began as early as the day before that.
    const DateTime yesterday = DateTime::today(document.clock()) - DateTimeSpan(kMissedDays);
    const DateTime fromDay = yesterday - DateTimeSpan(kMissedDays);
    for (const auto& [id, appointment] : document.appointments()) {
        if (!appointment.schedule.has()) {
            if (appointment.Alarm) {
                entries_.push_back(
                    Entry{appointment.day().continuous(), appointment.AlarmTime.continuous(), id});
            }
        } else if (hasAnyAlarm(appointment)) {
            schedules_.push_back(Scheduled{
                id, yesterday,
                nextAlarm(appointment, fromDay, appointment.schedule.get().remindedUntil)});
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

void AlarmIndex::collectOrdinary(const PimDocument& document, DateTime since, DateTime now,
                                 std::vector<int32_t>& ids) const {
    // One that is not over lies on today or later; one that rang after `since` starts after
    // it. Most alarms of those days lie ahead; only those near enough are looked up, and the
    // record decides.
    const double firstDay = std::min(since.date(), now.date()).continuous();
    const double nearEnough = now.continuous() + 1.0 / 86400.0;
    const auto first = std::lower_bound(entries_.begin(), entries_.end(), firstDay,
                                        [](const Entry& e, double d) { return e.day < d; });
    for (auto it = first; it != entries_.end(); ++it) {
        if (it->alarm > nearEnough) continue;
        const Appointment* appointment = document.appointments().find(it->id);
        if (appointment != nullptr && isAlarmDue(*appointment, now)) ids.push_back(it->id);
    }
}

std::vector<Reminder> AlarmIndex::dueReminders(const PimDocument& document, DateTime since,
                                               DateTime now, const Locale& locale) {
    since = lookBackFrom(since, now);
    std::vector<int32_t> ids;
    collectOrdinary(document, since, now, ids);

    std::vector<Reminder> due;
    const bool allWaiting =
        since >= latestSince_ &&
        (earliestAlarm_.isNull() || now.continuous() + kHalfSecond < earliestAlarm_.continuous());
    for (Scheduled& scheduled : allWaiting ? std::span<Scheduled>() : std::span(schedules_)) {
        // Nothing rings before the next alarm.
        const bool waiting = since >= scheduled.since &&
                             (scheduled.nextAlarm.isNull() ||
                              now.continuous() + kHalfSecond < scheduled.nextAlarm.continuous());
        if (waiting) continue;
        const Appointment* appointment = document.appointments().find(scheduled.id);
        if (appointment == nullptr) continue;
        const Occurrence ringing = dueOccurrence(*appointment, since, now);
        if (!ringing.start.isNull()) {
            due.push_back(isOver(ringing, now) ? missedReminderFor(ringing, locale)
                                               : reminderFor(ringing, locale));
        } else if (now >= scheduled.since) {
            // Rung and done with, or over: wait for the alarm after now.
            const DateTime done = appointment->schedule.get().remindedUntil;
            scheduled.since = now;
            scheduled.nextAlarm = nextAlarm(*appointment, now.date(), std::max(now, done));
        }
    }
    if (!allWaiting) noteBounds();
    for (const int32_t id : ids) {
        const Appointment& appointment = *document.appointments().find(id);
        const Occurrence o = dueOccurrence(appointment, since, now);
        if (o.start.isNull()) continue;
        due.push_back(isOver(o, now) ? missedReminderFor(o, locale) : reminderFor(id, appointment));
    }
    // Each appointment is found once.
    std::sort(due.begin(), due.end(),
              [](const Reminder& a, const Reminder& b) { return a.id < b.id; });
    return due;
}
