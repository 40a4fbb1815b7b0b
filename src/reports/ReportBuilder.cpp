#include "reports/ReportBuilder.h"

#include <utility>

#include "reports/DailyAppointmentsReport.h"
#include "reports/DailyPlanReport.h"
#include "reports/DailyTasksReport.h"
#include "reports/EnvelopeReport.h"
#include "reports/MonthlyPlanReport.h"
#include "reports/PhoneBookReport.h"
#include "reports/WeeklyPlanReport.h"

std::unique_ptr<PrintReport> buildReport(ReportKind kind, PageCanvas& measuring,
                                         ReportInputs inputs, const ReportSettings& settings,
                                         const Locale& locale) {
    std::unique_ptr<PrintReport> report;
    switch (kind) {
        case ReportKind::PhoneBook:
            report = std::make_unique<PhoneBookReport>(measuring, std::move(inputs.persons));
            break;
        case ReportKind::Envelopes:
            report =
                std::make_unique<EnvelopeReport>(measuring, std::move(inputs.persons), inputs.user);
            break;
        case ReportKind::WeeklyPlan:
            report = std::make_unique<WeeklyPlanReport>(measuring, locale, std::move(inputs.tasks),
                                                        std::move(inputs.appointments),
                                                        inputs.firstDay, inputs.lastDay);
            break;
        case ReportKind::MonthlyPlan:
            report = std::make_unique<MonthlyPlanReport>(measuring, locale, std::move(inputs.tasks),
                                                         std::move(inputs.appointments),
                                                         inputs.month, inputs.year);
            break;
        case ReportKind::DailyPlan:
            report =
                std::make_unique<DailyPlanReport>(measuring, locale, std::move(inputs.appointments),
                                                  std::move(inputs.tasks), inputs.day);
            break;
        case ReportKind::DailyTasks:
            report = std::make_unique<DailyTasksReport>(measuring, locale, std::move(inputs.tasks),
                                                        inputs.day);
            break;
        case ReportKind::DailyAppointments:
            report = std::make_unique<DailyAppointmentsReport>(
                measuring, locale, std::move(inputs.appointments), inputs.day);
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
