#include "reports/PlanReportLists.h"

#include "organizer/PersonDays.h"
#include "records/DateTimeSpan.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"
#include "reports/DailyReportLists.h"
#include "reports/PlanReport.h"

namespace {

std::vector<Task> tasksWhere(const RecordStore<Task>& store, auto keep) {
    std::vector<Task> kept;
    for (const auto& [id, task] : store)
        if (keep(task.DueDate)) kept.push_back(task);
    return kept;
}

// The ordinary appointments `keep` takes by their due date, and every occurrence of the
// others that covers one of the days from `first` to `last`, in the document's order.
std::vector<AppointmentRow> appointmentsWhere(const RecordStore<Appointment>& store, auto keep,
                                              DateTime first, DateTime last) {
    std::vector<AppointmentRow> kept;
    for (const auto& [id, appointment] : store) {
        if (!appointment.schedule.has()) {
            if (keep(appointment.DueDate)) kept.push_back(appointmentRow(id, appointment));
            continue;
        }
        if (first.isNull()) continue;
        for (const Occurrence& occurrence : occurrencesOnDays(appointment, first, last))
            kept.push_back(appointmentRow(occurrence));
    }
    return kept;
}

// The appointments as above, then the birthdays and anniversaries of those days.
std::vector<AppointmentRow> planEntries(const PimDocument& document, auto keep, DateTime first,
                                        DateTime last) {
    std::vector<AppointmentRow> rows =
        appointmentsWhere(document.appointments(), keep, first, last);
    if (first.isNull()) return rows;
    for (const PersonDay& day : personDaysBetween(document, first, last))
        rows.push_back(personDayRow(day));
    return rows;
}

}  // namespace

DateTime weekStart(DateTime date, int firstDayOfWeek) {
    return date - DateTimeSpan((date.dayOfWeek() - firstDayOfWeek + 7) % 7);
}

ReportInputs weeklyPlanInputs(const PimDocument& document, DateTime date, int firstDayOfWeek) {
    ReportInputs inputs;
    inputs.firstDay = weekStart(date, firstDayOfWeek);
    inputs.lastDay = inputs.firstDay + DateTimeSpan(6);
    // Whole days are compared: a selected date with a time of day must not drop the
    // records of the Saturday later that day, nor take those of the Sunday before it.
    const DateTime first = inputs.firstDay.date();
    const DateTime last = inputs.lastDay.date();
    const auto inWeek = [&](DateTime due) {
        const DateTime day = due.date();
        return first <= day && day <= last;
    };
    inputs.tasks = tasksWhere(document.tasks(), inWeek);
    inputs.appointments = planEntries(document, inWeek, first, last);
    return inputs;
}

ReportInputs monthlyPlanInputs(const PimDocument& document, DateTime date) {
    ReportInputs inputs;
    inputs.month = date.month();
    inputs.year = date.year();
    const auto inMonth = [&](DateTime due) {
        return due.month() == inputs.month && due.year() == inputs.year;
    };
    inputs.tasks = tasksWhere(document.tasks(), inMonth);
    const DateTime first = DateTime::fromFields(inputs.year, inputs.month, 1);
    const DateTime last =
        first.isNull() ? first
                       : DateTime::fromFields(inputs.year, inputs.month,
                                              PlanReport::monthLength(inputs.year, inputs.month));
    inputs.appointments = planEntries(document, inMonth, first, last);
    return inputs;
}

ReportInputs datedReportInputs(ReportKind kind, const PimDocument& document, DateTime date,
                               DateTime today, int firstDayOfWeek) {
    if (kind == ReportKind::WeeklyPlan) return weeklyPlanInputs(document, date, firstDayOfWeek);
    if (kind == ReportKind::MonthlyPlan) return monthlyPlanInputs(document, date);
    return dailyReportInputs(kind, document, date, today);
}
