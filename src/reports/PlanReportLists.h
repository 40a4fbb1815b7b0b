#pragma once

#include "records/DateTime.h"
#include "reports/ReportBuilder.h"

class PimDocument;

// The first day (1 Sunday to 7 Saturday) of the week that holds `date`, at the same time
// of day.
[[nodiscard]] DateTime weekStart(DateTime date, int firstDayOfWeek = 1);

// What the weekly plan prints for the week holding `date`: the tasks, then the
// appointments, due on one of its seven days, in the document's order; every occurrence
// that covers one of them; the birthdays and anniversaries on them.
[[nodiscard]] ReportInputs weeklyPlanInputs(const PimDocument& document, DateTime date,
                                            int firstDayOfWeek = 1);

// What the monthly plan prints for the month holding `date`: the tasks, then the
// appointments, due in that month of that year; every occurrence that covers one of its
// days; the birthdays and anniversaries on them.
[[nodiscard]] ReportInputs monthlyPlanInputs(const PimDocument& document, DateTime date);

// What a report of the calendar prints for `date` (a daily report, the week or the month
// holding it, the week starting on `firstDayOfWeek`), today being `today`.
[[nodiscard]] ReportInputs datedReportInputs(ReportKind kind, const PimDocument& document,
                                             DateTime date, DateTime today, int firstDayOfWeek = 1);
