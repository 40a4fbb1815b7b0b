#pragma once

#include <string>
#include <vector>

#include "organizer/DayRows.h"
#include "records/DateTime.h"
#include "reports/ListPagination.h"
#include "reports/PrintReport.h"

class Locale;

// What the three daily reports share: a list layout with the title centred at the top
// and column heads two lines below it, both bold, and rows in the normal font. The title
// names the day in the long date form, so that a printed page tells which day it is.
class DailyReport : public PrintReport {
public:
    // `day` null: the title alone.
    DailyReport(PageCanvas& measuring, const Locale& locale, std::string title, DateTime day);

    // The priority word of a task ("High" ... "Done"; "" for none).
    [[nodiscard]] static std::string priorityWord(int32_t priority);
    // A time of day as reportTimeText() writes it: "9:05 A", or "9:05" on a 24-hour clock.
    [[nodiscard]] std::string timeText(DateTime time) const;
    // A date in the short form of the user's locale.
    [[nodiscard]] std::string dateText(DateTime date) const;
    // What the START and END columns print of an appointment on `day` (null: the day it
    // is due): "All day" and nothing for whole days, else each time only on its own day.
    [[nodiscard]] std::string startText(const AppointmentRow& row, DateTime day) const;
    [[nodiscard]] std::string endText(const AppointmentRow& row, DateTime day) const;

protected:
    struct Head {
        int x;
        const char* text;
    };

    [[nodiscard]] bool usesNarrowPaperSize() const override { return true; }
    void drawHeader() override;
    // The column heads and their x, from the current metrics.
    [[nodiscard]] virtual std::vector<Head> heads() const = 0;
    // Moves the cursor one line down and returns the y of the row to draw there.
    int nextRowY();
    // Text clipped to the row's box from `left` to `right` at `y`.
    void clippedText(int left, int right, int y, std::string_view text);
    [[nodiscard]] std::vector<PageItems> paginateRows(size_t count) const;

private:
    const Locale& locale_;
    std::string title_;
};
