#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "reports/DailyAppointmentsReport.h"
#include "reports/DailyPlanReport.h"
#include "reports/DailyReportLists.h"
#include "reports/DailyTasksReport.h"
#include "reports/RecordingCanvas.h"
#include "reports/ReportBuilder.h"
#include "support/FixedLocale.h"
#include "support/Records.h"

namespace {

const FixedLocale kLocale;

Task task(std::string description, int32_t priority = Task::High) {
    return taskDue(std::move(description), DateTime::fromFields(2026, 5, 10), priority);
}

Appointment appointment(std::string description, int hour = 9, int minute = 5) {
    return appointmentAt(std::move(description), DateTime::fromFields(2026, 5, 10, hour, minute),
                         DateTime::fromFields(2026, 5, 10, hour + 4, 30));
}

// Letter paper at 100 dpi, one-inch margins: L 100, T 100, R 750, B 1000, line 18,
// average width 6; first column 106, second 106 + 325 = 431.
std::unique_ptr<PrintReport> build(ReportKind kind, RecordingCanvas& canvas, ReportInputs inputs) {
    auto report = buildReport(kind, canvas, inputs, ReportSettings{}, kLocale);
    report->printPage(canvas, 0);
    return report;
}

ReportInputs lists(std::vector<Task> tasks, std::vector<Appointment> appointments) {
    ReportInputs inputs;
    inputs.tasks = std::move(tasks);
    inputs.appointments = std::move(appointments);
    return inputs;
}

struct Column {
    std::string text;
    int x;
};

void expectAt(const RecordingCanvas& canvas, const std::vector<Column>& columns, int y) {
    for (const Column& c : columns)
        EXPECT_EQ(canvas.where(c.text), std::pair(c.x, y)) << c.text;
}

TEST(DailyReports, TasksColumnsAndRow) {
    RecordingCanvas canvas(letterAt100Dpi());
    build(ReportKind::DailyTasks, canvas, lists({task("Call Ann", Task::Done)}, {}));
    expectAt(canvas, {{"DAILY TASKS", 100 + (650 - 11 * 6) / 2}}, 100);
    expectAt(canvas, {{"TASK", 106}, {"PRIORITY", 431}, {"DUE DATE", 431 + 162}}, 136);
    expectAt(canvas, {{"Call Ann", 106}, {"Done", 431}, {"5/10/2026", 593}}, 154);
    EXPECT_EQ(canvas.at("Call Ann").clip, (PageRect{106, 154, 431 - 3, 172}));
}

TEST(DailyReports, AppointmentsColumnsAndRow) {
    RecordingCanvas canvas(letterAt100Dpi());
    build(ReportKind::DailyAppointments, canvas, lists({}, {appointment("Dentist")}));
    // END stands a quarter of the content width plus a character from the printable
    // area's edge, without the left margin.
    expectAt(canvas, {{"START", 106}, {"END", 650 / 4 + 6}, {"APPOINTMENT", 431}}, 136);
    expectAt(canvas, {{"9:05 A", 106}, {"1:30 P", 168}, {"Dentist", 431}}, 154);
    EXPECT_EQ(canvas.at("Dentist").clip, (PageRect{431, 154, 750, 172}));
}

TEST(DailyReports, PlanColumnsRowsAndDivider) {
    RecordingCanvas canvas(letterAt100Dpi());
    build(ReportKind::DailyPlan, canvas,
          lists({task("Call Ann", Task::Low)}, {appointment("Dentist")}));
    // a = 3, quarter = 162, half of it 81; the heads stand above their rows.
    expectAt(canvas,
             {{"9:05 A", 103},
              {"1:30 P", 184},
              {"Dentist", 265},
              {"Call Ann", 434},
              {"Low", 596},
              {"5/10/2026", 677}},
             154);
    EXPECT_EQ(canvas.at("Dentist").clip, (PageRect{265, 154, 431, 172}));
    EXPECT_EQ(canvas.at("Call Ann").clip, (PageRect{434, 154, 593, 172}));
    EXPECT_EQ(canvas.lines.back(), (RecordingCanvas::Line{431, 136, 431, 982}));
}

TEST(DailyReports, PlanWithManyTasksBesideFewAppointments) {
    // 50 lines of page area: 47 rows on each page.
    RecordingCanvas canvas(letterAt100Dpi());
    ReportInputs inputs;
    for (int i = 0; i < 70; ++i)
        inputs.tasks.push_back(task("task " + std::to_string(i)));
    for (int i = 0; i < 3; ++i)
        inputs.appointments.push_back(appointment("appointment " + std::to_string(i), 9 + i));
    const auto report = buildReport(ReportKind::DailyPlan, canvas, inputs, {}, kLocale);
    const auto& plan = static_cast<const DailyPlanReport&>(*report);
    EXPECT_EQ(plan.appointmentPageCount(), 1);
    EXPECT_EQ(plan.taskPageCount(), 2);
    EXPECT_EQ(report->pageCount(), 2);

    report->printPage(canvas, 0);
    // Both halves start right below the heads.
    EXPECT_EQ(canvas.at("appointment 0").y, 154);
    EXPECT_EQ(canvas.at("task 0").y, 154);
    EXPECT_EQ(canvas.at("task 46").y, 154 + 46 * 18);

    canvas.clear();
    report->printPage(canvas, 1);
    EXPECT_EQ(canvas.find("appointment 0"), nullptr);
    EXPECT_EQ(canvas.at("task 47").y, 154);
    EXPECT_EQ(canvas.at("task 69").y, 154 + 22 * 18);
}

// The reports list what the day view's rows show.
TEST(DailyReportLists, FollowTheDayViewRows) {
    FixedClock clock({2026, 5, 10, 8, 0});
    PimDocument document(clock);
    const int32_t first = document.add(appointment("first"));
    const int32_t second = document.add(appointment("second"));
    const auto row = [](int32_t id, const char* description) {
        AppointmentRow r;
        r.id = id;
        r.description = description;
        return r;
    };
    struct Case {
        const char* label;
        std::vector<AppointmentRow> rows;
        std::vector<int32_t> ids;
    };
    const Case cases[] = {
        {"one appointment on rows in a row is one entry",
         {row(first, "first"), row(first, "first"), row(first, "first")},
         {first}},
        {"rows of it with another between are two",
         {row(first, "first"), row(second, "second"), row(first, "first")},
         {first, second, first}},
        {"a row without a description stands for none",
         {row(second, ""), row(first, "first")},
         {first}},
        {"a record no longer held is left out", {row(99, "gone"), row(second, "second")}, {second}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> ids;
        for (const Appointment& a : dailyReportAppointments(document, c.rows))
            ids.push_back(a.ID);
        EXPECT_EQ(ids, c.ids) << c.label;
    }
    TaskRow taskRow, missing;
    taskRow.id = document.add(task("task"));
    missing.id = 42;
    const auto tasks = dailyReportTasks(document, {taskRow, missing, taskRow});
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].Description, "task");
}

}  // namespace
