#include "reports/ReportFileName.h"
#include "platform/Translate.h"

#include "workspace/FileDialogFolder.h"

std::string reportTitle(ReportKind kind) {
    switch (kind) {
        case ReportKind::PhoneBook:
            return _("Phone Book");
        case ReportKind::Envelopes:
            return _("Envelopes");
        case ReportKind::DailyPlan:
            return _("Daily Tasks and Appointments");
        case ReportKind::DailyTasks:
            return _("Daily Tasks");
        case ReportKind::DailyAppointments:
            return _("Daily Appointments");
        case ReportKind::WeeklyPlan:
            return _("Weekly Plan");
        case ReportKind::MonthlyPlan:
            return _("Monthly Plan");
        case ReportKind::None:
            break;
    }
    return _("Report");
}

std::string reportPdfName(const std::string& documentPath, ReportKind kind) {
    return documentStem(documentPath) + " - " + reportTitle(kind) + ".pdf";
}
