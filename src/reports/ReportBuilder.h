#pragma once

#include <memory>
#include <vector>

#include "organizer/DayRows.h"
#include "records/DateTime.h"
#include "records/Person.h"
#include "records/Task.h"
#include "records/User.h"
#include "reports/PrintReport.h"
#include "reports/ReportSettings.h"

class Locale;

// The records the Report commands gathered for the report they chose.
struct ReportInputs {
    std::vector<Task> tasks;
    std::vector<AppointmentRow> appointments;  // occurrences, each once
    std::vector<Person> persons;               // the phone book's or the envelopes'
    User user;                                 // the return address on envelopes
    DateTime day;                              // the daily reports' day
    DateTime firstDay;                         // the weekly plan's Sunday
    DateTime lastDay;                          // and its Saturday
    int month = 1;                             // the monthly plan's month, 1 to 12
    int year = 0;                              // and its year
};

// Builds the report of `kind` over `inputs` (moved in: a phone book of a million persons
// is held once, not twice), measured on `measuring`: the
// margins first, then the face, then the size, each computing the pages again; on
// narrow paper the daily reports and plans then take 8 points, so the page count the preview and
// the print job start from is the one the pages are drawn with. The report is left
// detached from `measuring`. Nothing for a kind that has no layout here.
[[nodiscard]] std::unique_ptr<PrintReport> buildReport(ReportKind kind, PageCanvas& measuring,
                                                       ReportInputs inputs,
                                                       const ReportSettings& settings,
                                                       const Locale& locale);
