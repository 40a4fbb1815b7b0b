#include "reports/PlanReportLists.h"

#include "records/DateTimeSpan.h"
#include "records/PimDocument.h"
#include "reports/DailyReportLists.h"

namespace {

template <class Record, class Keep>
std::vector<Record> recordsWhere(const RecordStore<Record>& store, Keep keep) {
    std::vector<Record> kept;
    for (const auto& [id, record] : store)
        if (keep(record.DueDate)) kept.push_back(record);
    return kept;
}

}  // namespace

DateTime weekStart(DateTime date) {
    return date - DateTimeSpan(date.dayOfWeek() - 1);
}

ReportInputs weeklyPlanInputs(const PimDocument& document, DateTime date) {
    ReportInputs inputs;
    inputs.firstDay = weekStart(date);
    inputs.lastDay = inputs.firstDay + DateTimeSpan(6);
    // Whole days are compared: a selected date with a time of day must not drop the
    // records of the Saturday later that day, nor take those of the Sunday before it.
    const DateTime first = inputs.firstDay.date();
    const DateTime last = inputs.lastDay.date();
    const auto inWeek = [&](DateTime due) {
        const DateTime day = due.date();
        return first <= day && day <= last;
    };
    inputs.tasks = recordsWhere(document.tasks(), inWeek);
    inputs.appointments = recordsWhere(document.appointments(), inWeek);
    return inputs;
}

ReportInputs monthlyPlanInputs(const PimDocument& document, DateTime date) {
    ReportInputs inputs;
    inputs.month = date.month();
    inputs.year = date.year();
    const auto inMonth = [&](DateTime due) {
        return due.month() == inputs.month && due.year() == inputs.year;
    };
    inputs.tasks = recordsWhere(document.tasks(), inMonth);
    inputs.appointments = recordsWhere(document.appointments(), inMonth);
    return inputs;
}

ReportInputs datedReportInputs(ReportKind kind, const PimDocument& document, DateTime date,
                               DateTime today) {
    if (kind == ReportKind::WeeklyPlan) return weeklyPlanInputs(document, date);
    if (kind == ReportKind::MonthlyPlan) return monthlyPlanInputs(document, date);
    return dailyReportInputs(kind, document, date, today);
}
