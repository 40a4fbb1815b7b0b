#pragma once

#include "records/DateTime.h"
#include "reports/PlanReport.h"

// One week from Sunday to Saturday on two pages of four bands: Sunday to Wednesday, then
// Thursday to Saturday and NOTES. Each day band has writing lines, the day's appointments
// on the left and its tasks on the right; each page has its title and two small calendars.
class WeeklyPlanReport : public PlanReport {
public:
    // `firstDay` is the Sunday, `lastDay` the Saturday; the records are the week's.
    WeeklyPlanReport(PageCanvas& measuring, const Locale& locale, std::vector<Task> tasks,
                     std::vector<AppointmentRow> appointments, DateTime firstDay, DateTime lastDay);

    // "Jan 28 - 31", or "Jan 28 - Feb 3" when the page's days span two months.
    [[nodiscard]] std::string pageTitle(int pageIndex) const;

    static constexpr int kPages = 2;
    static constexpr int kBands = 4;

protected:
    void drawItems(int pageIndex) override;
    int paginate() override { return kPages; }

private:
    // The first and last day the page shows.
    [[nodiscard]] std::pair<DateTime, DateTime> pageRange(int pageIndex) const;
    // Draws the title and calendars; returns the top of the first band.
    int drawWeekHeader(int pageIndex);
    void drawBands(int pageIndex, int top);
    void drawDayTexts(int pageIndex, int top);

    DateTime firstDay_;
    DateTime lastDay_;
};
