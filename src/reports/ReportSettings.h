#pragma once

#include <array>
#include <string>

// Which report the Report menu chose last.
enum class ReportKind {
    None = 0,
    PhoneBook = 1,
    Envelopes = 2,
    DailyPlan = 3,
    DailyTasks = 4,
    DailyAppointments = 5,
    WeeklyPlan = 6,
    MonthlyPlan = 7,
};

// Margins in thousandths of an inch, in the order left, top, right, bottom.
using Margins = std::array<int, 4>;

// The report font and margins, kept while the program runs and never stored.
struct ReportSettings {
    std::string faceName = "Times New Roman";
    int pointSize = 10;  // whole points
    Margins margins = {1000, 1000, 1000, 1000};

    bool operator==(const ReportSettings&) const = default;
};
