#pragma once

#include <vector>

#include "reports/PlanReport.h"

// One page: the month as a grid of seven columns with each day's appointments and tasks
// in its cell, and the small calendars of the months before and after.
class MonthlyPlanReport : public PlanReport {
public:
    // The records are those of `month` (1 to 12) of `year`.
    MonthlyPlanReport(PageCanvas& measuring, const Locale& locale, std::vector<Task> tasks,
                      std::vector<AppointmentRow> appointments, int month, int year);

    // The grid's title: "Feb 2026".
    [[nodiscard]] std::string gridTitle() const;

    // Where the day texts went on the page drawn last, day 1 first.
    [[nodiscard]] const std::vector<PageRect>& dayRects() const { return dayRects_; }

protected:
    void drawItems(int pageIndex) override;
    int paginate() override { return 1; }

private:
    // Draws the small calendars; returns the top of the grid.
    int drawMonthHeader();
    void drawGrid(int top);
    void drawGridTitle(int top, int rowHeight);
    void drawDayTexts();

    int month_;
    int year_;
    std::vector<PageRect> dayRects_;
};
