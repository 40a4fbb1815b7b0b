#include "organizer/DayRows.h"

#include <algorithm>

#include "records/PimDocument.h"

bool isTaskListedOn(const Task& task, DateTime shown, DateTime today) {
    if (task.DueDate == shown && shown >= today) return true;
    // Priorities above Done, from foreign files, count as neither open nor done.
    if (shown == today && task.DueDate <= today && task.Priority < Task::Done) return true;
    return task.isDone() && task.DoneDate == shown && shown <= today;
}

std::vector<TaskRow> dayTaskRows(const PimDocument& document, DateTime shown, DateTime today) {
    std::vector<TaskRow> rows;
    for (const auto& [id, task] : document.tasks()) {
        if (isTaskListedOn(task, shown, today))
            rows.push_back(TaskRow{id, task.Priority, task.Description, task.DueDate});
    }
    return rows;
}

std::vector<AppointmentRow> dayAppointmentRows(const PimDocument& document, DateTime shown) {
    std::vector<AppointmentRow> rows;
    // Rows go in newest first, so that equal start times list the newest first.
    for (auto it = document.appointments().rbegin(); it != document.appointments().rend(); ++it) {
        const auto& [id, appointment] = *it;
        if (appointment.DueDate == shown) {
            rows.push_back(AppointmentRow{id, appointment.Alarm, appointment.Description,
                                          appointment.StartTime, appointment.EndTime});
        }
    }
    std::stable_sort(
        rows.begin(), rows.end(),
        [](const AppointmentRow& a, const AppointmentRow& b) { return a.startTime < b.startTime; });
    return rows;
}
