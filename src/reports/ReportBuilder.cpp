#include "reports/ReportBuilder.h"

#include "reports/DailyAppointmentsReport.h"
#include "reports/DailyPlanReport.h"
#include "reports/DailyTasksReport.h"

std::unique_ptr<PrintReport> buildReport(ReportKind kind, PageCanvas& measuring,
                                         const ReportInputs& inputs, const ReportSettings& settings,
                                         const Locale& locale) {
    std::unique_ptr<PrintReport> report;
    switch (kind) {
        case ReportKind::DailyPlan:
            report = std::make_unique<DailyPlanReport>(measuring, locale, inputs.appointments,
                                                       inputs.tasks);
            break;
        case ReportKind::DailyTasks:
            report = std::make_unique<DailyTasksReport>(measuring, locale, inputs.tasks);
            break;
        case ReportKind::DailyAppointments:
            report =
                std::make_unique<DailyAppointmentsReport>(measuring, locale, inputs.appointments);
            break;
        default:
            return nullptr;
    }
    report->setMargins(settings.margins);
    report->setFaceName(settings.faceName);
    report->setPointSize(settings.pointSize);
    report->applyNarrowPaperSize();
    report->setCanvas(nullptr);
    return report;
}
