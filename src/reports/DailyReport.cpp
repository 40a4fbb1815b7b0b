#include "reports/DailyReport.h"

#include "platform/Translate.h"
#include "records/Task.h"
#include "reports/ReportTime.h"

DailyReport::DailyReport(PageCanvas& measuring, const Locale& locale, std::string title,
                         DateTime day)
    : PrintReport(measuring), locale_(locale), title_(std::move(title)) {
    if (!day.isNull()) title_ += " \u2013 " + day.formatDate(locale_, DateStyle::Long);
}

std::string DailyReport::priorityWord(int32_t priority) {
    return Task::priorityName(Task::listedPriority(priority));
}

std::string DailyReport::timeText(DateTime time) const {
    return reportTimeText(time, locale_);
}

std::string DailyReport::dateText(DateTime date) const {
    return date.formatDate(locale_, DateStyle::Short);
}

std::string DailyReport::startText(const AppointmentRow& row, DateTime day) const {
    if (row.allDay) return _("All day");
    return day.isNull() || row.startsOn(day) ? timeText(row.startTime) : "";
}

std::string DailyReport::endText(const AppointmentRow& row, DateTime day) const {
    if (row.allDay) return "";
    return day.isNull() || row.endsOn(day) ? timeText(row.endTime) : "";
}

void DailyReport::drawHeader() {
    const FontSpec previous = page().selectFont(boldFont());
    const PageRect& c = contentRect();
    textCentred(c.top, title_);
    for (const Head& head : heads())
        textOut(head.x, c.top + 2 * lineHeight(), head.text);
    page().selectFont(previous);
}

int DailyReport::nextRowY() {
    setCurrentY(currentY() + lineHeight());
    return currentY();
}

void DailyReport::clippedText(int left, int right, int y, std::string_view text) {
    page().clippedTextOut(left, y, PageRect{left, y, right, y + lineHeight()}, text);
}

std::vector<PageItems> DailyReport::paginateRows(size_t count) const {
    const PageRect& c = contentRect();
    return paginateList(count, c.top, c.bottom, lineHeight());
}
