#include "reports/PlanReport.h"
#include "platform/Translate.h"

#include <algorithm>

#include "records/DateTime.h"
#include "reports/DayEntryLines.h"
#include "reports/ReportTime.h"

namespace {

constexpr const char* kSmallMonthNames[] = {
    NC_("month", "Jan"),  NC_("month", "Feb"),  NC_("month", "Mar"),  NC_("month", "Apr"),
    NC_("month", "May"),  NC_("month", "June"), NC_("month", "July"), NC_("month", "Aug"),
    NC_("month", "Sept"), NC_("month", "Oct"),  NC_("month", "Nov"),  NC_("month", "Dec")};

// Month `month` of `year` with the month brought into 1..12.
void normalise(int& year, int& month) {
    year += (month - 1 >= 0 ? (month - 1) / 12 : (month - 12) / 12);
    month = ((month - 1) % 12 + 12) % 12 + 1;
}

std::string smallMonthName(int month) {
    return translatedInContext(kSmallMonthNames[month - 1]);
}

}  // namespace

PlanReport::PlanReport(PageCanvas& measuring, const Locale& locale, std::vector<Task> tasks,
                       std::vector<AppointmentRow> appointments)
    : PrintReport(measuring),
      locale_(locale),
      tasks_(std::move(tasks)),
      appointments_(std::move(appointments)) {
    std::stable_sort(appointments_.begin(), appointments_.end(),
                     [](const AppointmentRow& a, const AppointmentRow& b) {
                         if (a.allDay != b.allDay) return a.allDay;
                         return a.startTime < b.startTime;
                     });
}

std::vector<std::string> PlanReport::appointmentEntries(DateTime day) const {
    std::vector<std::string> entries;
    const DateTime date = day.date();
    for (const AppointmentRow& a : appointments_) {
        if (!a.covers(date)) continue;
        if (a.allDay)
            entries.push_back(std::string(_("All day")) + " " + a.description);
        else if (a.startsOn(date))
            entries.push_back(reportTimeText(a.startTime, locale_) + " " + a.description);
        else
            entries.push_back(a.description);
    }
    return entries;
}

std::vector<std::string> PlanReport::taskEntries(DateTime day) const {
    std::vector<std::string> entries;
    for (const Task& t : tasks_) {
        if (t.DueDate.day() == day.day()) entries.push_back(t.Description);
    }
    return entries;
}

void PlanReport::drawDayEntries(const PageRect& box, const std::vector<std::string>& entries) {
    if (entries.empty()) return;
    PageCanvas& p = page();
    const TextMetrics m = p.textMetrics();
    const int step = m.height + m.externalLeading;
    if (step <= 0) return;
    const int lineCount = (box.bottom - box.top) / step;
    const auto widthOf = [&p](std::string_view text) { return p.textExtent(text).width; };
    const std::vector<std::string> lines =
        fitDayEntries(entries, box.right - box.left, lineCount, widthOf);
    for (size_t i = 0; i < lines.size(); ++i)
        p.clippedTextOut(box.left, box.top + int(i) * step, box, lines[i]);
}

int PlanReport::monthLength(int year, int month) {
    normalise(year, month);
    int nextYear = year;
    int next = month + 1;
    normalise(nextYear, next);
    const DateTimeSpan days =
        DateTime::fromFields(nextYear, next, 1) - DateTime::fromFields(year, month, 1);
    return int(days.days());
}

int PlanReport::firstWeekday(int year, int month) {
    normalise(year, month);
    return DateTime::fromFields(year, month, 1).dayOfWeek() - 1;
}

int PlanReport::firstColumn(int year, int month) const {
    return (firstWeekday(year, month) - weekdayOfColumn(0) + 7) % 7;
}

int PlanReport::weekdayOfColumn(int column) const {
    const int first = locale_.firstDayOfWeek();
    return ((first >= 1 && first <= 7 ? first - 1 : 0) + column) % 7;
}

FontSpec PlanReport::labelFont(int points, int weight) const {
    return FontSpec{-(metrics().dpiY * points / 72), weight, "Times New Roman"};
}

void PlanReport::drawSmallCalendar(int year, int month, int x0, int y0) {
    normalise(year, month);
    PageCanvas& p = page();
    const int line = lineHeight();
    const int avg = averageCharWidth();
    const int cw = 3 * avg;
    const int width = kCalendarColumns * avg;
    p.setBackgroundMode(BackgroundMode::Transparent);
    for (int k = 0; k <= 8; ++k) {
        p.moveTo(x0, y0 + k * line);
        p.lineTo(x0 + width, y0 + k * line);
    }
    // The title row has no inner lines.
    for (int k = 0; k <= 7; ++k) {
        p.moveTo(x0 + k * cw, (k == 0 || k == 7) ? y0 : y0 + line);
        p.lineTo(x0 + k * cw, y0 + 8 * line);
    }
    const std::string title = smallMonthName(month) + " " + std::to_string(year);
    textOut(x0 + (width - textWidth(title)) / 2, y0, title);
    static constexpr const char* kLetters[] = {
        NC_("Sunday", "S"),   NC_("Monday", "M"), NC_("Tuesday", "T"), NC_("Wednesday", "W"),
        NC_("Thursday", "T"), NC_("Friday", "F"), NC_("Saturday", "S")};
    for (int k = 0; k < 7; ++k)
        textOut(x0 + k * cw + avg, y0 + line, translatedInContext(kLetters[weekdayOfColumn(k)]));
    int column = firstColumn(year, month);
    int y = y0 + 2 * line;
    const int days = monthLength(year, month);
    for (int d = 1; d <= days; ++d) {
        const std::string number = std::to_string(d);
        textOut(x0 + column * cw + (cw - textWidth(number)) / 2, y, number);
        if (++column == 7) {
            column = 0;
            y += line;
        }
    }
}
