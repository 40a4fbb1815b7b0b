#include "reports/WeeklyPlanReport.h"
#include "platform/Translate.h"

#include <array>

#include "records/DateTimeSpan.h"

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    NC_("month", "Jan"), NC_("month", "Feb"), NC_("month", "Mar"), NC_("month", "Apr"),
    NC_("month", "May"), NC_("month", "Jun"), NC_("month", "Jul"), NC_("month", "Aug"),
    NC_("month", "Sep"), NC_("month", "Oct"), NC_("month", "Nov"), NC_("month", "Dec")};
constexpr std::array<const char*, 8> kBandLabels = {N_("SUNDAY"),    N_("MONDAY"),   N_("TUESDAY"),
                                                    N_("WEDNESDAY"), N_("THURSDAY"), N_("FRIDAY"),
                                                    N_("SATURDAY"),  N_("NOTES")};
constexpr uint32_t kTitleGrey = 0xC0C0C0;
constexpr int kThickLine = 4;
constexpr int kLabelGap = 6;  // between a band's rule and its labels

DateTime plusDays(DateTime day, int days) {
    return day + DateTimeSpan(days);
}

std::string monthName(DateTime day) {
    const int month = day.month();
    return month >= 1 && month <= 12 ? translatedInContext(kMonthNames[size_t(month - 1)]) : "";
}

// "Dec 5" in English; a language may put the day first ("5 déc.").
std::string monthAndDay(DateTime day) {
    return fillIn(C_("the month, then the day, in a weekly plan's title", "%s %s"),
                  {monthName(day), std::to_string(day.day())});
}

}  // namespace

WeeklyPlanReport::WeeklyPlanReport(PageCanvas& measuring, const Locale& locale,
                                   std::vector<Task> tasks,
                                   std::vector<AppointmentRow> appointments, DateTime firstDay,
                                   DateTime lastDay)
    : PlanReport(measuring, locale, std::move(tasks), std::move(appointments)),
      firstDay_(firstDay),
      lastDay_(lastDay) {}

std::pair<DateTime, DateTime> WeeklyPlanReport::pageRange(int pageIndex) const {
    if (pageIndex == 0) return {firstDay_, plusDays(firstDay_, 3)};
    return {plusDays(lastDay_, -2), lastDay_};
}

std::string WeeklyPlanReport::pageTitle(int pageIndex) const {
    const auto [from, to] = pageRange(pageIndex);
    const std::string start = monthAndDay(from) + " - ";
    if (from.month() == to.month()) return start + std::to_string(to.day());
    return start + monthAndDay(to);
}

void WeeklyPlanReport::drawItems(int pageIndex) {
    const int bandTop = drawWeekHeader(pageIndex);
    drawBands(pageIndex, bandTop);
    drawDayTexts(pageIndex, bandTop);
}

int WeeklyPlanReport::drawWeekHeader(int pageIndex) {
    const PageRect& c = contentRect();
    PageCanvas& p = page();
    const int points = pointSize();
    setPointSize(8);
    const FontSpec previous = p.selectFont(labelFont(18, kBoldWeight));
    const std::string title = pageTitle(pageIndex);
    p.setBackgroundMode(BackgroundMode::Opaque);
    p.setBackgroundColor(kTitleGrey);
    textOut(pageIndex == 0 ? c.left : c.right - textWidth(title), c.top, title);
    p.setBackgroundMode(BackgroundMode::Transparent);

    p.selectFont(boldFont());
    const int calendarWidth = kCalendarColumns * averageCharWidth();
    const int year = firstDay_.year();
    const int month = firstDay_.month();
    if (pageIndex == 0) {
        const int x = c.right - 2 * calendarWidth - 2;
        drawSmallCalendar(year, month - 1, x, c.top);
        drawSmallCalendar(year, month, x + calendarWidth + 12, c.top);
    } else {
        drawSmallCalendar(year, month + 1, c.left, c.top);
        drawSmallCalendar(year, month + 2, c.left + calendarWidth + 12, c.top);
    }
    const int bandTop = c.top + 2 * lineHeight() + 8 * lineHeight();
    p.selectFont(previous);
    setPointSize(points);
    return bandTop;
}

void WeeklyPlanReport::drawBands(int pageIndex, int y0) {
    const PageRect& c = contentRect();
    PageCanvas& p = page();
    const int line = lineHeight();
    const int avg = averageCharWidth();
    const int half = (c.right - c.left) / 2;
    const int bandHeight = (c.bottom - y0) / kBands;
    const FontSpec previousFont = p.selectFont(normalFont());
    const auto thickRule = [&](int y) {
        const Pen previous = p.selectPen(Pen{PenStyle::Solid, kThickLine, 0});
        p.moveTo(c.left, y);
        p.lineTo(c.right, y);
        p.selectPen(previous);
    };
    for (int k = 0; k < kBands; ++k) {
        const int t = y0 + k * bandHeight;
        const int labelY = t + kLabelGap;
        thickRule(t);
        const int dayIndex = pageIndex * kBands + k;  // 0 the first day ... 7 the notes band
        const FontSpec labelWeekday = labelFont(10, kBoldWeight);
        if (dayIndex < 7) {
            const DateTime day = plusDays(firstDay_, dayIndex);
            p.selectFont(labelFont(18, kBoldWeight));
            const std::string number = std::to_string(day.day());
            textOut(c.left, labelY, number);
            const int x = c.left + textWidth(number) + 4;
            p.selectFont(labelWeekday);
            textOut(x, labelY, _(kBandLabels[size_t(day.dayOfWeek() - 1)]));
            p.selectFont(labelFont(8, kNormalWeight));
            const std::string dayOfYear = fillIn(_("Day %s"), {std::to_string(day.dayOfYear())});
            textOut(c.right - textWidth(dayOfYear), labelY, dayOfYear);
        } else {
            p.selectFont(labelWeekday);
            textOut(c.left, labelY, _(kBandLabels[7]));
        }
        const int lines = line > 0 ? (bandHeight - 2 * line) / line - 1 : 0;
        for (int i = 0; i < lines; ++i) {
            const int y = labelY + 3 * line + i * line;
            p.moveTo(c.left + avg, y);
            p.lineTo(c.left + half - avg, y);
            p.moveTo(c.left + half + avg, y);
            p.lineTo(c.right - avg, y);
        }
    }
    thickRule(c.bottom);
    p.selectFont(previousFont);
}

void WeeklyPlanReport::drawDayTexts(int pageIndex, int bandTop) {
    const PageRect& c = contentRect();
    PageCanvas& p = page();
    const int line = lineHeight();
    const int avg = averageCharWidth();
    const int half = (c.right - c.left) / 2;
    const FontSpec previous = p.selectFont(normalFont());
    const int y1 = bandTop + p.textMetrics().externalLeading;
    const int s = y1 + 2 * line;
    const int bandHeight = (c.bottom - y1) / kBands;
    const int textHeight = line > 0 ? ((bandHeight - 2 * line) / line) * line : 0;
    p.setBackgroundMode(BackgroundMode::Transparent);
    const DateTime from = pageRange(pageIndex).first;
    const int days = pageIndex == 0 ? kBands : kBands - 1;
    for (int i = 0; i < days; ++i) {
        const DateTime day = plusDays(from, i);
        // Each day has the band of its place in the week, whatever day the week starts on.
        const int top = s + i * bandHeight;
        drawDayEntries({c.left + avg, top, c.right - avg - half, top + textHeight},
                       appointmentEntries(day));
        drawDayEntries({c.left + avg + half, top, c.right - avg, top + textHeight},
                       taskEntries(day));
    }
    p.selectFont(previous);
}
