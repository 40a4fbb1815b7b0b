#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "reports/DailyReportLists.h"
#include "reports/RecordingCanvas.h"
#include "support/Collect.h"
#include "support/Records.h"
#include "support/SeriesRecords.h"

namespace {

Task task(std::string description, int32_t priority = Task::High) {
    return taskDue(std::move(description), DateTime::fromFields(2026, 5, 10), priority);
}

Appointment appointment(std::string description, int hour = 9, int minute = 5) {
    return appointmentAt(std::move(description), DateTime::fromFields(2026, 5, 10, hour, minute),
                         DateTime::fromFields(2026, 5, 10, hour + 4, 30));
}

AppointmentRow row(std::string description) {
    return appointmentRow(0, appointment(std::move(description)));
}

// Lays the report out and draws its first page.
std::unique_ptr<PrintReport> build(ReportKind kind, RecordingCanvas& canvas, ReportInputs inputs) {
    auto report = layOut(kind, canvas, inputs);
    report->printPage(canvas, 0);
    return report;
}

ReportInputs lists(std::vector<Task> tasks, std::vector<AppointmentRow> appointments) {
    ReportInputs inputs;
    inputs.tasks = std::move(tasks);
    inputs.appointments = std::move(appointments);
    return inputs;
}

using Column = std::pair<std::string, int>;  // a text and where it starts

void expectAt(const RecordingCanvas& canvas, const std::vector<Column>& columns, int y) {
    for (const auto& [text, x] : columns)
        EXPECT_EQ(canvas.where(text), std::pair(x, y)) << text;
}

TEST(DailyReports, HeadsRowsAndClipsStandInEachReportsColumns) {
    // The report, its title, what it lists, its heads (at 136) and row (at 154), a text and
    // its clip.
    const std::tuple<ReportKind, const char*, ReportInputs, std::vector<Column>,
                     std::vector<Column>, const char*, PageRect>
        cases[] = {
            {ReportKind::DailyTasks,
             "DAILY TASKS",
             lists({task("Call Ann", Task::Done)}, {}),
             {{"TASK", 106}, {"PRIORITY", 431}, {"DUE DATE", 431 + 162}},
             {{"Call Ann", 106}, {"Done", 431}, {"5/10/2026", 593}},
             "Call Ann",
             {106, 154, 431 - 3, 172}},
            // END stands a quarter of the content width plus a character from the printable
            // area's edge, without the left margin.
            {ReportKind::DailyAppointments,
             "DAILY APPOINTMENTS",
             lists({}, {row("Dentist")}),
             {{"START", 106}, {"END", 650 / 4 + 6}, {"APPOINTMENT", 431}},
             {{"9:05 A", 106}, {"1:30 P", 168}, {"Dentist", 431}},
             "Dentist",
             {431, 154, 750, 172}},
            // a = 3, quarter = 162, half of it 81; a divider between the halves.
            {ReportKind::DailyPlan,
             "DAILY PLAN",
             lists({task("Call Ann", Task::Low)}, {row("Dentist")}),
             {},
             {{"9:05 A", 103},
              {"1:30 P", 184},
              {"Dentist", 265},
              {"Call Ann", 434},
              {"Low", 596},
              {"5/10/2026", 677}},
             "Call Ann",
             {434, 154, 593, 172}},
        };
    for (const auto& [kind, heading, inputs, heads, row, clipped, clip] : cases) {
        SCOPED_TRACE(int(kind));
        RecordingCanvas canvas(letterAt100Dpi());
        ReportInputs onDay = inputs;
        onDay.day = DateTime::fromFields(2026, 5, 10);
        build(kind, canvas, onDay);
        expectAt(canvas, heads, 136);
        expectAt(canvas, row, 154);
        EXPECT_EQ(canvas.at(clipped).clip, clip);
        // The title names the day, so that a printed page tells which it is.
        const std::string title = heading + std::string(" \u2013 Sunday, May 10, 2026");
        EXPECT_EQ(canvas.at(title).y, 100);
        if (kind == ReportKind::DailyTasks) {
            EXPECT_EQ(canvas.at(title).x, 100 + (650 - 6 * int(title.size())) / 2) << "centred";
        }
        if (kind == ReportKind::DailyPlan) {
            EXPECT_EQ(canvas.lines.back(), (RecordingCanvas::Line{431, 136, 431, 982}));
        }
    }
}

TEST(DailyReports, PlanWithManyTasksBesideFewAppointments) {
    // 47 rows on each page: the tasks take two pages, the appointments one.
    RecordingCanvas canvas(letterAt100Dpi());
    ReportInputs inputs;
    for (int i = 0; i < 70; ++i)
        inputs.tasks.push_back(task("task " + std::to_string(i)));
    inputs.appointments.push_back(row("appointment"));
    const auto report = build(ReportKind::DailyPlan, canvas, inputs);
    EXPECT_EQ(report->pageCount(), 2);
    canvas.clear();
    report->printPage(canvas, 1);
    EXPECT_EQ(canvas.find("appointment"), nullptr);
    EXPECT_EQ(canvas.at("task 47").y, 154);
}

// The texts drawn on the line of `description`, left to right: "9:05 A|1:30 P|Dentist".
std::string lineOf(const RecordingCanvas& canvas, const std::string& description) {
    const int y = canvas.at(description).y;
    std::vector<RecordingCanvas::Text> line;
    for (const RecordingCanvas::Text& text : canvas.texts)
        if (text.y == y) line.push_back(text);
    std::stable_sort(line.begin(), line.end(),
                     [](const auto& a, const auto& b) { return a.x < b.x; });
    std::string joined;
    for (size_t i = 0; i < line.size(); ++i)
        joined += (i == 0 ? "" : "|") + line[i].text;
    return joined;
}

// Whole days say "All day", several days their start and end on their own days; where the
// locale keeps the 24-hour clock, the times print in it.
TEST(DailyReports, TimesOfWholeSeveralAndOrdinaryDaysOnTheLocalesClock) {
    FixedClock clock({2026, 5, 10, 8, 0});
    PimDocument document(clock);
    const auto may = [](int day, int hour = 0) { return DateTime::fromFields(2026, 5, day, hour); };
    document.add(wholeDays("Fair", may(11), may(13)));
    document.add(severalDays("Night shift", may(10, 22), may(12, 6)));
    document.add(appointment("Dentist"));
    const FixedLocale english;
    struct German : FixedLocale {
        std::string shortTimePicture() const override { return "HH:mm"; }
    } german;
    const std::tuple<int, const char*, const Locale*, const char*> cases[] = {
        {10, "Night shift", &english, "10:00 P||Night shift"},
        {11, "Night shift", &english, "||Night shift"},
        {12, "Night shift", &english, "|6:00 A|Night shift"},
        {12, "Fair", &english, "All day||Fair"},
        {10, "Dentist", &german, "9:05|13:30|Dentist"},
    };
    for (const auto& [day, description, locale, line] : cases) {
        RecordingCanvas canvas(letterAt100Dpi());
        const ReportKind kind = ReportKind::DailyAppointments;
        buildReport(kind, canvas, dailyReportInputs(kind, document, may(day), may(10)), {}, *locale)
            ->printPage(canvas, 0);
        EXPECT_EQ(lineOf(canvas, description), line) << day << " " << description;
    }
}

// The reports list what the day view's rows show.
TEST(DailyReportLists, FollowTheDayViewRows) {
    FixedClock clock({2026, 5, 10, 8, 0});
    PimDocument document(clock);
    const int32_t first = document.add(appointment("first"));
    const int32_t second = document.add(appointment("second"));
    const auto row = [](int32_t id, const char* description, DateTime key = {}) {
        AppointmentRow r;
        r.id = id;
        r.description = description;
        r.key = key;
        return r;
    };
    const auto personRow = [&](const char* description) {
        AppointmentRow r = row(-1, description);
        r.personId = 7;
        return r;
    };
    // One occurrence on rows in a row is one entry, but again after another, and so is the
    // next occurrence of its series; a row without a description stands for none; a record
    // no longer held is left out. A person's birthday and anniversary are no appointments,
    // and each is its own entry.
    const DateTime nine = DateTime::fromFields(2026, 5, 10, 9), ten = nine + DateTimeSpan(1.0 / 24);
    const std::vector<AppointmentRow> rows = {row(first, "first"),
                                              row(first, "first"),
                                              row(second, ""),
                                              row(first, "first"),
                                              row(second, "second", nine),
                                              row(second, "second", ten),
                                              row(first, "first"),
                                              row(99, "gone"),
                                              personRow("Ada's birthday"),
                                              personRow("Ada's anniversary")};
    EXPECT_EQ(collect(dailyReportAppointments(document, rows), &AppointmentRow::description),
              (std::vector<std::string>{"first", "second", "second", "first", "Ada's birthday",
                                        "Ada's anniversary"}));
    TaskRow taskRow, missing;
    taskRow.id = document.add(task("task"));
    missing.id = 42;
    EXPECT_EQ(collect(dailyReportTasks(document, {taskRow, missing, taskRow}), &Task::Description),
              (std::vector<std::string>{"task", "task"}));
}

}  // namespace
