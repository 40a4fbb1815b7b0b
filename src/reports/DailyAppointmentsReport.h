#pragma once

#include <vector>

#include "organizer/DayRows.h"
#include "reports/DailyReport.h"

// "DAILY APPOINTMENTS": one row per appointment of `day` with its start, end and description.
class DailyAppointmentsReport : public DailyReport {
public:
    DailyAppointmentsReport(PageCanvas& measuring, const Locale& locale,
                            std::vector<AppointmentRow> appointments, DateTime day = {});

protected:
    [[nodiscard]] std::vector<Head> heads() const override;
    void drawFrame() override { drawBracketFrame(); }
    void drawItems(int pageIndex) override;
    int paginate() override;

private:
    // The END column stands a quarter of the content width plus one character from the
    // printable area's edge, not from the content's.
    [[nodiscard]] int endColumnX() const;

    std::vector<AppointmentRow> appointments_;
    DateTime day_;
    std::vector<PageItems> pages_;
};
