#include "reports/ReportFileName.h"

#include "shell/FileDialogFolder.h"

std::string reportTitle(ReportKind kind) {
    switch (kind) {
        case ReportKind::PhoneBook:
            return "Phone Book";
        case ReportKind::Envelopes:
            return "Envelopes";
        case ReportKind::DailyPlan:
            return "Daily Tasks and Appointments";
        case ReportKind::DailyTasks:
            return "Daily Tasks";
        case ReportKind::DailyAppointments:
            return "Daily Appointments";
        case ReportKind::WeeklyPlan:
            return "Weekly Plan";
        case ReportKind::MonthlyPlan:
            return "Monthly Plan";
        case ReportKind::None:
            break;
    }
    return "Report";
}

std::string reportPdfName(const std::string& documentPath, ReportKind kind) {
    return documentStem(documentPath) + " - " + reportTitle(kind) + ".pdf";
}
