#include "reports/PlanReport.h"

#include <algorithm>

#include "records/DateTime.h"

namespace {

constexpr std::string_view kSmallMonthNames = "Jan Feb Mar Apr May JuneJulyAug SeptOct Nov Dec ";

// Month `month` of `year` with the month brought into 1..12.
void normalise(int& year, int& month) {
    year += (month - 1 >= 0 ? (month - 1) / 12 : (month - 12) / 12);
    month = ((month - 1) % 12 + 12) % 12 + 1;
}

std::string smallMonthName(int month) {
    std::string name(kSmallMonthNames.substr(size_t(month - 1) * 4, 4));
    if (name.back() == ' ') name.pop_back();
    return name;
}

}  // namespace

PlanReport::PlanReport(PageCanvas& measuring, const Locale& locale, std::vector<Task> tasks,
                       std::vector<Appointment> appointments)
    : PrintReport(measuring),
      locale_(locale),
      tasks_(std::move(tasks)),
      appointments_(std::move(appointments)) {
    std::stable_sort(
        appointments_.begin(), appointments_.end(),
        [](const Appointment& a, const Appointment& b) { return a.StartTime < b.StartTime; });
}

std::string PlanReport::appointmentText(int day) const {
    std::string text;
    for (const Appointment& a : appointments_) {
        if (a.DueDate.day() != day) continue;
        text += a.StartTime.formatTime(locale_, "h':'mm t");
        text += ' ';
        text += a.Description;
        text += '\n';
    }
    return text;
}

std::string PlanReport::taskText(int day) const {
    std::string text;
    for (const Task& t : tasks_) {
        if (t.DueDate.day() != day) continue;
        text += t.Description;
        text += '\n';
    }
    return text;
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
    constexpr std::string_view kLetters = "SMTWTFS";
    for (int k = 0; k < 7; ++k)
        textOut(x0 + k * cw + avg, y0 + line, std::string(1, kLetters[size_t(k)]));
    int column = firstWeekday(year, month);
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
