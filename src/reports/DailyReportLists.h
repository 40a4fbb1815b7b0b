#pragma once

#include <vector>

#include "organizer/DayRows.h"
#include "records/Task.h"
#include "reports/ReportBuilder.h"

class PimDocument;

// The tasks of the day view's task list, top to bottom, as the document holds them.
[[nodiscard]] std::vector<Task> dailyReportTasks(const PimDocument& document,
                                                 const std::vector<TaskRow>& rows);

// The appointments of the day view's appointment list, top to bottom: every occurrence
// listed. Rows without a description are skipped, consecutive rows of one occurrence give
// one entry, and a row whose appointment the document no longer holds is left out.
[[nodiscard]] std::vector<AppointmentRow> dailyReportAppointments(
    const PimDocument& document, const std::vector<AppointmentRow>& rows);

// What a daily report of `kind` prints for `date`: the lists the day view shows for it,
// today being `today`.
[[nodiscard]] ReportInputs dailyReportInputs(ReportKind kind, const PimDocument& document,
                                             DateTime date, DateTime today);
