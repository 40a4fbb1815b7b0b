#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "reports/DayEntryLines.h"
#include "reports/MonthlyPlanReport.h"
#include "reports/PlanReport.h"
#include "reports/PlanReportLists.h"
#include "reports/RecordingCanvas.h"
#include "support/Collect.h"
#include "support/Records.h"
#include "support/SeriesRecords.h"

namespace {

// At 8 points a line is 16 (11 + 5) and a character 5 wide.
constexpr int kLine8 = 16;
constexpr int kGridTop = kTop + 10 * kLine8;

Appointment appointment(std::string description, DateTime start) {
    return appointmentAt(std::move(description), start, start);
}

AppointmentRow row(std::string description, DateTime start) {
    return appointmentRow(0, appointment(std::move(description), start));
}

ReportInputs week(int year, int month, int sunday) {
    ReportInputs inputs;
    inputs.firstDay = DateTime::fromFields(year, month, sunday);
    inputs.lastDay = inputs.firstDay + DateTimeSpan(6);
    return inputs;
}

ReportInputs month(int year, int month, std::vector<AppointmentRow> appointments = {}) {
    ReportInputs inputs;
    inputs.year = year;
    inputs.month = month;
    inputs.appointments = std::move(appointments);
    return inputs;
}

TEST(WeeklyPlanReport, EachPageNamesItsOwnDaysAndNeighbouringMonths) {
    // The week, the title of each page, the neighbouring months of page 0, then of page 1.
    const std::tuple<ReportInputs, std::array<const char*, 2>, std::array<const char*, 4>> cases[] =
        {
            {week(2024, 1, 28),
             {"Jan 28 - 31", "Feb 1 - 3"},
             {"Dec 2023", "Jan 2024", "Feb 2024", "Mar 2024"}},
            {week(2026, 11, 29),
             {"Nov 29 - Dec 2", "Dec 3 - 5"},
             {"Oct 2026", "Nov 2026", "Dec 2026", "Jan 2027"}},
        };
    for (const auto& [inputs, titles, calendars] : cases) {
        RecordingCanvas canvas(letterAt100Dpi());
        const auto report = layOut(ReportKind::WeeklyPlan, canvas, inputs);
        ASSERT_EQ(report->pageCount(), 2);
        for (int page = 0; page < 2; ++page) {
            canvas.clear();
            report->printPage(canvas, page);
            SCOPED_TRACE(titles[page]);
            EXPECT_EQ(canvas.at(titles[page]).font, (FontSpec{-25, 700, "Times New Roman"}));
            EXPECT_EQ(canvas.at(titles[page]).y, kTop);
            EXPECT_TRUE(canvas.find(calendars[2 * page]) && canvas.find(calendars[2 * page + 1]));
        }
    }
}

TEST(WeeklyPlanReport, AppointmentsByStartOnTheLeftOfTheirBandTasksOnTheRight) {
    ReportInputs inputs = week(2024, 1, 28);
    inputs.appointments = {row("Dentist", DateTime::fromFields(2024, 2, 3, 9, 5)),
                           row("Early", DateTime::fromFields(2024, 2, 3, 7, 0))};
    inputs.tasks = {taskDue("Pay rent", DateTime::fromFields(2024, 2, 1))};
    RecordingCanvas canvas(letterAt100Dpi());
    layOut(ReportKind::WeeklyPlan, canvas, inputs)->printPage(canvas, 1);
    // The weekday stands beside its big date.
    EXPECT_EQ(canvas.at("THURSDAY").x, 100 + 12 + 4);
    // Saturday is two bands below Thursday; a line each, clipped to the half.
    const RecordingCanvas::Text& early = canvas.at("7:00 A Early");
    EXPECT_EQ(canvas.at("9:05 A Dentist").y, early.y + 18);
    EXPECT_EQ(early.y - canvas.at("Pay rent").y, 2 * ((kBottom - kGridTop - 5) / 4));
    EXPECT_EQ(early.clip.right, 750 - 6 - 325);
    EXPECT_EQ(canvas.at("Pay rent").clip.left, 100 + 6 + 325);
}

TEST(MonthlyPlanReport, ThirtyOneDaysFromASaturdayFillTheSixthWeekRow) {
    // March 2025 starts on a Saturday.
    const ReportInputs inputs = month(2025, 3,
                                      {row("Rent due", DateTime::fromFields(2025, 3, 31, 9, 0)),
                                       row("Picnic", DateTime::fromFields(2025, 3, 29, 12, 30))});
    RecordingCanvas canvas(letterAt100Dpi());
    auto report = layOut(ReportKind::MonthlyPlan, canvas, inputs);
    ASSERT_EQ(report->pageCount(), 1);
    report->printPage(canvas, 0);
    const auto& rects = static_cast<MonthlyPlanReport&>(*report).dayRects();
    ASSERT_EQ(rects.size(), 31u);
    const int w = 650 / 7, h = (kBottom - kGridTop) / 8;
    // Day 1 is the last column of the first week row; day 31 the Monday of the sixth.
    EXPECT_EQ(rects[0].left, 100 + 6 * w + 6);
    EXPECT_EQ(rects[30].left, 100 + w + 6);
    EXPECT_EQ(rects[30].top, kGridTop + 7 * h + 18 - 9);
    EXPECT_LE(rects[30].bottom, kBottom);
    // Each day's text in its own cell, at 6 points; Saturday the 29th in the last column.
    EXPECT_EQ(canvas.at("9:00 A Rent due").clip, rects[30]);
    EXPECT_EQ(canvas.at("9:00 A Rent due").font.height, -8);
    EXPECT_EQ(canvas.at("12:30 P Picnic").clip, rects[28]);
    EXPECT_EQ(rects[28].left, rects[0].left);
    EXPECT_TRUE(canvas.find("Mar 2025"));

    // A second drawing from the same report gives the same page.
    const auto first = canvas.texts;
    canvas.clear();
    report->printPage(canvas, 0);
    EXPECT_TRUE(canvas.texts == first);

    canvas.clear();
    layOut(ReportKind::MonthlyPlan, canvas, month(2026, 12))->printPage(canvas, 0);
    EXPECT_GT(canvas.at("Jan 2027").x, canvas.at("Nov 2026").x) << "December's neighbours";
    EXPECT_FALSE(canvas.find("Dec 2025"));
}

// Where the locale's week starts on Monday, the weekly bands, the monthly columns and the
// small calendars start on it too.
TEST(PlanReports, WeeksStartOnTheLocalesFirstDay) {
    struct MondayFirst : FixedLocale {
        int firstDayOfWeek() const override { return 2; }
    } locale;
    const auto build = [&](ReportKind kind, const ReportInputs& inputs, RecordingCanvas& canvas,
                           int page) {
        auto report = buildReport(kind, canvas, inputs, {}, locale);
        report->printPage(canvas, page);
        return report;
    };
    // The week of Monday 4 May 2026: Monday's band on top, Sunday's the third of page 1.
    ReportInputs weekly;
    weekly.firstDay = DateTime::fromFields(2026, 5, 4);
    weekly.lastDay = DateTime::fromFields(2026, 5, 10);
    weekly.tasks = {taskDue("Sunday chores", DateTime::fromFields(2026, 5, 10))};
    RecordingCanvas first(letterAt100Dpi());
    build(ReportKind::WeeklyPlan, weekly, first, 0);
    EXPECT_LT(first.at("MONDAY").y, first.at("TUESDAY").y);
    EXPECT_FALSE(first.find("SUNDAY"));
    RecordingCanvas second(letterAt100Dpi());
    build(ReportKind::WeeklyPlan, weekly, second, 1);
    EXPECT_GT(second.at("Sunday chores").y, second.at("SUNDAY").y);
    EXPECT_GT(second.at("SUNDAY").y, second.at("SATURDAY").y);

    // March 2025 starts on a Saturday: the sixth column; Monday heads the first.
    RecordingCanvas canvas(letterAt100Dpi());
    auto report = build(ReportKind::MonthlyPlan, month(2025, 3), canvas, 0);
    const auto& rects = static_cast<MonthlyPlanReport&>(*report).dayRects();
    EXPECT_EQ(rects[0].left, 100 + 5 * (650 / 7) + 6);
    EXPECT_LT(canvas.at("MON").x, canvas.at("SUN").x);
}

TEST(PlanReports, ABusyDayEndsWithHowManyEntriesAreNotShown) {
    // Thirteen appointments on Monday 4 May 2026 and a task: a weekly band holds eight
    // lines of 18 units, a monthly cell five lines of 13 (6 points).
    ReportInputs inputs = week(2026, 5, 3);
    inputs.year = 2026;
    inputs.month = 5;
    for (int i = 0; i < 13; ++i)
        inputs.appointments.push_back(row("M", DateTime::fromFields(2026, 5, 4, 8, i)));
    inputs.tasks = {taskDue("Pay rent", DateTime::fromFields(2026, 5, 4))};
    for (const auto& [kind, more] : {std::pair{ReportKind::WeeklyPlan, "+6 more"},
                                     std::pair{ReportKind::MonthlyPlan, "+10 more"}}) {
        RecordingCanvas canvas(letterAt100Dpi());
        layOut(kind, canvas, inputs)->printPage(canvas, 0);
        EXPECT_TRUE(canvas.find(more)) << more;
        // The weekly plan's task has a box of its own.
        EXPECT_EQ(canvas.find("Pay rent") != nullptr, kind == ReportKind::WeeklyPlan);
    }
}

TEST(PlanReportLists, GatherTheWeekOrMonthOfTheSelectedDate) {
    FixedClock clock({2026, 5, 10, 8, 0});
    PimDocument document(clock);
    const auto add = [&](const char* description, DateTime due) {
        document.add(taskDue(description, due));
        document.add(appointment(description, due));
    };
    add("sunday", DateTime::fromFields(2026, 5, 10, 8, 0));
    add("saturday late", DateTime::fromFields(2026, 5, 16, 23, 0));
    add("next sunday", DateTime::fromFields(2026, 5, 17));
    add("last year", DateTime::fromFields(2025, 5, 12));
    add("june", DateTime::fromFields(2026, 6, 1));

    const auto descriptions = [](const ReportInputs& inputs) {
        EXPECT_EQ(inputs.tasks.size(), inputs.appointments.size());
        return collect(inputs.tasks, &Task::Description);
    };
    // A selected date with a time of day still covers the whole Saturday.
    const ReportInputs weekly =
        weeklyPlanInputs(document, DateTime::fromFields(2026, 5, 13, 14, 0));
    EXPECT_EQ(weekly.firstDay.date(), DateTime::fromFields(2026, 5, 10));
    EXPECT_EQ(weekly.lastDay.date(), DateTime::fromFields(2026, 5, 16));
    EXPECT_EQ(descriptions(weekly), (std::vector<std::string>{"sunday", "saturday late"}));
    // A week that starts on Monday, as the locale's calendar may.
    const ReportInputs monday = weeklyPlanInputs(document, DateTime::fromFields(2026, 5, 10), 2);
    EXPECT_EQ(monday.firstDay.date(), DateTime::fromFields(2026, 5, 4));
    EXPECT_EQ(descriptions(monday), (std::vector<std::string>{"sunday"}));

    const ReportInputs monthly = monthlyPlanInputs(document, DateTime::fromFields(2026, 5, 31));
    EXPECT_EQ(std::pair(monthly.year, monthly.month), std::pair(2026, 5));
    EXPECT_EQ(descriptions(monthly),
              (std::vector<std::string>{"sunday", "saturday late", "next sunday"}));
}

TEST(PlanReportLists, OccurrencesFillEveryDayTheyCoverWholeDaysFirst) {
    FixedClock clock({2026, 5, 10, 8, 0});
    PimDocument document(clock);
    const auto may = [](int day, int hour = 0, int minute = 0) {
        return DateTime::fromFields(2026, 5, day, hour, minute);
    };
    // Mondays at 9 since April; three whole days; a night over two days; a plain one.
    document.add(
        repeating(appointment("Standup", DateTime::fromFields(2026, 4, 6, 9, 0)), "FREQ=WEEKLY"));
    document.add(wholeDays("Fair", may(11), may(13)));
    document.add(severalDays("Night shift", may(10, 22), may(12, 6)));
    document.add(appointment("Dentist", may(11, 8, 30)));
    Person ada;
    ada.setFName("Ada");
    ada.setLName("Lovelace");
    ada.Birthday = MonthDay::make(5, 11, 1815).value();
    document.add(ada);

    RecordingCanvas canvas(letterAt100Dpi());
    const auto report =
        layOut(ReportKind::MonthlyPlan, canvas, monthlyPlanInputs(document, may(20)));
    const auto& plan = static_cast<const PlanReport&>(*report);
    using Entries = std::vector<std::string>;
    const std::pair<int, Entries> cases[] = {
        {10, {"10:00 P Night shift"}},
        {11,
         {"All day Fair", "All day Ada Lovelace's birthday (211)", "Night shift", "8:30 A Dentist",
          "9:00 A Standup"}},
        {12, {"All day Fair", "Night shift"}},
        {25, {"9:00 A Standup"}},
        {26, {}},
    };
    for (const auto& [day, entries] : cases)
        EXPECT_EQ(plan.appointmentEntries(may(day)), entries) << day;
    // The week holds each occurrence once, whatever the days it covers, and the birthday.
    EXPECT_EQ(weeklyPlanInputs(document, may(13)).appointments.size(), 5u);
}

// One unit per byte, so widths read as character counts.
int bytes(std::string_view text) {
    return int(text.size());
}

using Lines = std::vector<std::string>;

TEST(DayEntryLines, WrapAtBlanksAndInsideOverlongWordsAndFitWholeEntries) {
    const std::tuple<const char*, int, Lines> cases[] = {
        {"9:00 A Dentist", 10, {"9:00 A", "Dentist"}},
        {"Call  the\nplumber", 8, {"Call the", "plumber"}},
        {"Reconfiguration now", 6, {"Reconf", "igurat", "ion", "now"}},
        {"Grüße", 4, {"Grü", "ße"}},
    };
    for (const auto& [text, width, lines] : cases)
        EXPECT_EQ(wrapText(text, width, bytes), lines) << text;

    // A day shows whole entries and counts the rest.
    const Lines day = {"9:00 A Dentist", "10:00 A Budget meeting", "Buy stamps", "Call Ann"};
    const std::tuple<int, int, Lines> fits[] = {
        {30, 4, day},
        {30, 3, {"9:00 A Dentist", "10:00 A Budget meeting", "+2 more"}},
        // The meeting takes two lines of its own.
        {15, 4, {"9:00 A Dentist", "10:00 A Budget", "meeting", "+2 more"}},
        {15, 5, {"9:00 A Dentist", "10:00 A Budget", "meeting", "Buy stamps", "Call Ann"}},
    };
    for (const auto& [width, lineCount, lines] : fits)
        EXPECT_EQ(fitDayEntries(day, width, lineCount, bytes), lines)
            << width << " x " << lineCount;
}

}  // namespace
