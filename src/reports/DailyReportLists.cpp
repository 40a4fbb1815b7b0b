#include "reports/DailyReportLists.h"

#include "records/PimDocument.h"

std::vector<Task> dailyReportTasks(const PimDocument& document, const std::vector<TaskRow>& rows) {
    std::vector<Task> tasks;
    tasks.reserve(rows.size());
    for (const TaskRow& row : rows) {
        if (const Task* task = document.tasks().find(row.id)) tasks.push_back(*task);
    }
    return tasks;
}

std::vector<AppointmentRow> dailyReportAppointments(const PimDocument& document,
                                                    const std::vector<AppointmentRow>& rows) {
    std::vector<AppointmentRow> appointments;
    for (const AppointmentRow& row : rows) {
        if (row.description.empty()) continue;
        // A birthday or anniversary is listed once already, and belongs to no appointment.
        if (row.personId != 0) {
            appointments.push_back(row);
            continue;
        }
        if (!appointments.empty() && appointments.back().id == row.id &&
            appointments.back().key == row.key)
            continue;
        if (document.appointments().contains(row.id)) appointments.push_back(row);
    }
    return appointments;
}

ReportInputs dailyReportInputs(ReportKind kind, const PimDocument& document, DateTime date,
                               DateTime today) {
    ReportInputs inputs;
    inputs.day = date.date();
    if (kind != ReportKind::DailyAppointments)
        inputs.tasks = dailyReportTasks(document, dayTaskRows(document, date, today));
    if (kind != ReportKind::DailyTasks)
        inputs.appointments =
            dailyReportAppointments(document, dayAppointmentRows(document, date.date()));
    return inputs;
}
