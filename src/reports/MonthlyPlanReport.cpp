#include "reports/MonthlyPlanReport.h"
#include "platform/Translate.h"

#include <string_view>

namespace {

constexpr const char* kGridMonthNames[] = {
    NC_("month", "Jan"), NC_("month", "Feb"), NC_("month", "Mar"), NC_("month", "Apr"),
    NC_("month", "May"), NC_("month", "Jun"), NC_("month", "Jul"), NC_("month", "Aug"),
    NC_("month", "Sep"), NC_("month", "Oct"), NC_("month", "Nov"), NC_("month", "Dec")};
constexpr const char* kWeekdayHeads[] = {N_("SUN"), N_("MON"), N_("TUE"), N_("WED"),
                                         N_("THU"), N_("FRI"), N_("SAT")};
constexpr int kDayTextPoints = 6;
// The title grows in steps of two points until it fills a third of its row; a canvas
// that never reports a taller font must not keep it growing for ever.
constexpr int kLargestTitlePoints = 200;

}  // namespace

MonthlyPlanReport::MonthlyPlanReport(PageCanvas& measuring, const Locale& locale,
                                     std::vector<Task> tasks,
                                     std::vector<AppointmentRow> appointments, int month, int year)
    : PlanReport(measuring, locale, std::move(tasks), std::move(appointments)),
      month_(month >= 1 && month <= 12 ? month : 1),
      year_(year) {}

std::string MonthlyPlanReport::gridTitle() const {
    std::string name(translatedInContext(kGridMonthNames[month_ - 1]));
    return name + " " + std::to_string(year_);
}

void MonthlyPlanReport::drawItems(int) {
    const int top = drawMonthHeader();
    drawGrid(top);
    drawDayTexts();
}

int MonthlyPlanReport::drawMonthHeader() {
    const PageRect& c = contentRect();
    const int points = pointSize();
    setPointSize(8);
    const FontSpec previous = page().selectFont(boldFont());
    const int calendarWidth = kCalendarColumns * averageCharWidth();
    drawSmallCalendar(year_, month_ - 1, c.left, c.top);
    drawSmallCalendar(year_, month_ + 1, c.right - calendarWidth, c.top);
    const int gridTop = c.top + 2 * lineHeight() + 8 * lineHeight();
    page().selectFont(previous);
    setPointSize(points);
    return gridTop;
}

void MonthlyPlanReport::drawGrid(int y0) {
    const PageRect& c = contentRect();
    PageCanvas& p = page();
    const int w = (c.right - c.left) / 7;
    const int h = (c.bottom - y0) / 8;
    p.setBackgroundMode(BackgroundMode::Transparent);
    for (int k = 0; k <= 8; ++k) {
        p.moveTo(c.left, y0 + k * h);
        p.lineTo(c.left + 7 * w, y0 + k * h);
    }
    // The title row has no inner lines.
    for (int k = 0; k <= 7; ++k) {
        p.moveTo(c.left + k * w, (k == 0 || k == 7) ? y0 : y0 + h);
        p.lineTo(c.left + k * w, y0 + 8 * h);
    }
    drawGridTitle(y0, h);

    const int line = lineHeight();
    const int avg = averageCharWidth();
    const FontSpec previous = p.selectFont(boldFont());
    for (int k = 0; k < 7; ++k) {
        textOut(c.left + k * w + (w - 3 * avg) / 2, y0 + 2 * h - line,
                std::string(_(kWeekdayHeads[weekdayOfColumn(k)])));
    }
    dayRects_.clear();
    int column = firstColumn(year_, month_);
    int y = y0 + 2 * h + line;
    const int days = monthLength(year_, month_);
    for (int d = 1; d <= days; ++d) {
        const std::string number = std::to_string(d);
        const int width = textWidth(number);
        const int right = c.left + (column + 1) * w;
        textOut(right - width - avg, y, number);
        dayRects_.push_back({c.left + column * w + avg, y - line / 2, right - avg - width,
                             y - line / 2 - line + h});
        if (++column == 7) {
            column = 0;
            y += h;
        }
    }
    p.selectFont(previous);
}

void MonthlyPlanReport::drawGridTitle(int y0, int h) {
    const PageRect& c = contentRect();
    PageCanvas& p = page();
    const int points = pointSize();
    const std::string title = gridTitle();
    int size = 6;
    setPointSize(size);
    FontSpec previous = p.selectFont(boldFont());
    TextExtent extent = p.textExtent(title);
    while (extent.height < h / 3 && size < kLargestTitlePoints) {
        size += 2;
        setPointSize(size);
        p.selectFont(boldFont());
        extent = p.textExtent(title);
    }
    textOut(c.left + ((c.right - c.left) - extent.width) / 2, y0 + h - extent.height, title);
    p.selectFont(previous);
    setPointSize(points);
}

void MonthlyPlanReport::drawDayTexts() {
    PageCanvas& p = page();
    const int points = pointSize();
    setPointSize(kDayTextPoints);
    const FontSpec previous = p.selectFont(normalFont());
    for (size_t i = 0; i < dayRects_.size(); ++i) {
        const DateTime day = DateTime::fromFields(year_, month_, int(i) + 1);
        std::vector<std::string> entries = appointmentEntries(day);
        for (std::string& task : taskEntries(day))
            entries.push_back(std::move(task));
        drawDayEntries(dayRects_[i], entries);
    }
    p.selectFont(previous);
    setPointSize(points);
}
