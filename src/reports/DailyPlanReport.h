#pragma once

#include <vector>

#include "organizer/DayRows.h"
#include "records/Task.h"
#include "reports/DailyReport.h"

// "DAILY PLAN": the appointments of `day` down the left half and the tasks down the right, each
// list paginated on its own; the longer list sets the page count, and its later pages
// leave the other half empty.
class DailyPlanReport : public DailyReport {
public:
    DailyPlanReport(PageCanvas& measuring, const Locale& locale,
                    std::vector<AppointmentRow> appointments, std::vector<Task> tasks,
                    DateTime day = {});

    [[nodiscard]] int appointmentPageCount() const { return int(appointmentPages_.size()); }
    [[nodiscard]] int taskPageCount() const { return int(taskPages_.size()); }

protected:
    [[nodiscard]] std::vector<Head> heads() const override;
    void drawFrame() override;
    void drawItems(int pageIndex) override;
    int paginate() override;

private:
    // The column x of the layout, from the current metrics.
    struct Columns {
        int start, end, appointment, task, priority, dueDate, quarter;
    };
    [[nodiscard]] Columns columns() const;

    std::vector<AppointmentRow> appointments_;
    std::vector<Task> tasks_;
    DateTime day_;
    std::vector<PageItems> appointmentPages_;
    std::vector<PageItems> taskPages_;
};
