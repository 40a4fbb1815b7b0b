#include "organizer/DayRows.h"

#include <algorithm>

#include "records/PimDocument.h"

// A record's day is the local date of its value: a value read from a document may carry a
// time of day (an imported due time, or 01:00 on a day whose midnight the clocks skip).
bool isTaskListedOn(const Task& task, DateTime shown, DateTime today) {
    const DateTime due = task.DueDate.date();
    if (due == shown && shown >= today) return true;
    // Priorities above Done, from foreign files, count as neither open nor done.
    if (shown == today && due <= today && task.Priority < Task::Done) return true;
    return task.isDone() && task.DoneDate.date() == shown && shown <= today;
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
        if (appointment.DueDate.date() == shown) {
            rows.push_back(AppointmentRow{id, appointment.Alarm, appointment.Description,
                                          appointment.StartTime, appointment.EndTime});
        }
    }
    std::stable_sort(
        rows.begin(), rows.end(),
        [](const AppointmentRow& a, const AppointmentRow& b) { return a.startTime < b.startTime; });
    return rows;
}
