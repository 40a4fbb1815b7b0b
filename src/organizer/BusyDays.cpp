#include "organizer/BusyDays.h"

#include <algorithm>

#include "records/PimDocument.h"

std::vector<DateTime> busyDays(const PimDocument& document, DateTime first, DateTime last) {
    const DateTime from = first.date();
    const DateTime to = last.date();
    std::vector<DateTime> days;
    const auto take = [&](DateTime when) {
        const DateTime day = when.date();
        if (day.isValid() && from <= day && day <= to) days.push_back(day);
    };
    for (const auto& [id, appointment] : document.appointments())
        take(appointment.DueDate);
    for (const auto& [id, task] : document.tasks()) {
        if (!task.isDone()) take(task.DueDate);
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}
