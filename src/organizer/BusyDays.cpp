#include "organizer/BusyDays.h"

#include <algorithm>

#include "organizer/PersonDays.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"

std::vector<DateTime> busyDays(const PimDocument& document, DateTime first, DateTime last) {
    const DateTime from = first.date();
    const DateTime to = last.date();
    if (!from.isValid() || !to.isValid() || to < from) return {};
    const auto dayCount = size_t((to - from).days() + 1.5);
    std::vector<bool> busy(dayCount, false);
    size_t taken = 0;
    const auto take = [&](DateTime when) {
        const DateTime day = when.date();
        if (!day.isValid() || day < from || day > to) return;
        const auto i = size_t((day - from).days() + 0.5);
        if (i < dayCount && !busy[i]) {
            busy[i] = true;
            ++taken;
        }
    };
    std::vector<const Appointment*> scheduled;
    for (const auto& [id, appointment] : document.appointments()) {
        if (appointment.schedule.has())
            scheduled.push_back(&appointment);
        else
            take(appointment.day());
    }
    for (const auto& [id, task] : document.tasks()) {
        if (!task.isDone()) take(task.DueDate);
    }
    for (const PersonDay& day : personDaysBetween(document, from, to))
        take(day.day);
    // Every day an occurrence covers, until all are taken: a daily series takes them all.
    for (const Appointment* appointment : scheduled) {
        if (taken == dayCount) break;
        for (const Occurrence& o : occurrencesOnDays(*appointment, from, to)) {
            const DateTime end = std::min(to, o.lastDay());
            for (DateTime day = std::max(from, o.firstDay()); day <= end;
                 day = day + DateTimeSpan(1.0))
                take(day);
        }
    }
    std::vector<DateTime> days;
    for (size_t i = 0; i < dayCount; ++i) {
        if (busy[i]) days.push_back(from + DateTimeSpan(double(i)));
    }
    return days;
}
