#include "organizer/ui/CalendarMarks.h"

#include <QCalendarWidget>
#include <QTextCharFormat>

#include "organizer/BusyDays.h"
#include "records/PimDocument.h"

namespace {

QDate toDate(DateTime day) {
    const auto fields = day.fields();
    return fields ? QDate(fields->year, fields->month, fields->day) : QDate();
}

DateTime fromDate(QDate date) {
    return DateTime::fromFields(date.year(), date.month(), date.day());
}

}  // namespace

void markCalendarDays(QCalendarWidget& calendar, const PimDocument& document) {
    calendar.setDateTextFormat(QDate(), QTextCharFormat());  // forgets every earlier mark
    // The page shows up to six weeks around its month: the days of both neighbours too.
    const QDate first = QDate(calendar.yearShown(), calendar.monthShown(), 1);
    for (const DateTime day : busyDays(document, fromDate(first.addDays(-7)),
                                       fromDate(first.addMonths(1).addDays(13)))) {
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        calendar.setDateTextFormat(toDate(day), bold);
    }
    const QDate today = toDate(DateTime::today(document.clock()));
    QTextCharFormat marked = calendar.dateTextFormat(today);
    QColor tint = calendar.palette().color(QPalette::Highlight);
    tint.setAlpha(70);
    marked.setBackground(tint);
    calendar.setDateTextFormat(today, marked);
}
