#include "reports/DailyAppointmentsReport.h"

#include "platform/Translate.h"

DailyAppointmentsReport::DailyAppointmentsReport(PageCanvas& measuring, const Locale& locale,
                                                 std::vector<AppointmentRow> appointments,
                                                 DateTime day)
    : DailyReport(measuring, locale, _("DAILY APPOINTMENTS"), day),
      appointments_(std::move(appointments)),
      day_(day) {}

int DailyAppointmentsReport::endColumnX() const {
    const PageRect& c = contentRect();
    return (c.right - c.left) / 4 + averageCharWidth();
}

std::vector<DailyReport::Head> DailyAppointmentsReport::heads() const {
    return {{firstColumnX(), _("START")},
            {endColumnX(), _("END")},
            {secondColumnX(), _("APPOINTMENT")}};
}

void DailyAppointmentsReport::drawItems(int pageIndex) {
    for (const size_t index : pages_[size_t(pageIndex)]) {
        const AppointmentRow& appointment = appointments_[index];
        const int y = nextRowY();
        textOut(firstColumnX(), y, startText(appointment, day_));
        textOut(endColumnX(), y, endText(appointment, day_));
        clippedText(secondColumnX(), contentRect().right, y, appointment.description);
    }
}

int DailyAppointmentsReport::paginate() {
    if (appointments_.empty()) return pageCount();
    pages_ = paginateRows(appointments_.size());
    return int(pages_.size());
}
