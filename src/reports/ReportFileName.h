#pragma once

#include <string>

#include "reports/ReportSettings.h"

// The report's name as the Report menu gives it: "Weekly Plan".
[[nodiscard]] std::string reportTitle(ReportKind kind);

// The file a report printed to PDF is offered under: "home - Weekly Plan.pdf" for the
// document "/data/home.pgr".
[[nodiscard]] std::string reportPdfName(const std::string& documentPath, ReportKind kind);
