#pragma once

#include <string>
#include <vector>

#include "organizer/DayRows.h"
#include "records/Task.h"
#include "reports/PrintReport.h"

class Locale;

// What the weekly and monthly plans share: their records, the texts of a day, and the
// small month calendars of their headers. The plans have no footer and no frame, and
// draw their header and body together, since both depend on the page.
class PlanReport : public PrintReport {
public:
    // Keeps copies; the appointments are ordered whole days first, then by start time.
    PlanReport(PageCanvas& measuring, const Locale& locale, std::vector<Task> tasks,
               std::vector<AppointmentRow> appointments);

    // For each appointment listed on `day` (one of several days on each): "All day Fair"
    // for whole days first, then "9:05 A Dentist" by start time, the time on the day it
    // starts only.
    [[nodiscard]] std::vector<std::string> appointmentEntries(DateTime day) const;
    // "Call Ann" for each task due on the day of the month of `day`, in list order.
    [[nodiscard]] std::vector<std::string> taskEntries(DateTime day) const;

    // Days in `month` of `year`.
    [[nodiscard]] static int monthLength(int year, int month);
    // The weekday of the first of the month, Sunday 0.
    [[nodiscard]] static int firstWeekday(int year, int month);
    // The column of the first of the month in a week that starts on the locale's first day,
    // and the weekday (Sunday 0) of a column.
    [[nodiscard]] int firstColumn(int year, int month) const;
    [[nodiscard]] int weekdayOfColumn(int column) const;

    static constexpr int kCalendarColumns = 21;  // the small calendar's width in average widths

protected:
    [[nodiscard]] bool usesNarrowPaperSize() const override { return true; }
    void drawHeader() override {}
    void drawFooter(int) override {}
    void drawFrame() override {}

    // The small calendar of `month` (wrapping into the years around `year`) with its
    // top-left corner at (x, y), in the selected font, which is the bold one at 8 points.
    void drawSmallCalendar(int year, int month, int x, int y);
    // A day's entries, wrapped, in as many whole lines of the selected font as `box`
    // holds; a last line tells how many entries did not fit.
    void drawDayEntries(const PageRect& box, const std::vector<std::string>& entries);
    // A font of the fixed face the plans' big labels use.
    [[nodiscard]] FontSpec labelFont(int points, int weight) const;

private:
    const Locale& locale_;
    std::vector<Task> tasks_;
    std::vector<AppointmentRow> appointments_;
};
