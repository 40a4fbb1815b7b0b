#pragma once

#include <vector>

#include "records/Task.h"
#include "reports/DailyReport.h"

// "DAILY TASKS": one row per task with its description, priority word and due date.
class DailyTasksReport : public DailyReport {
public:
    DailyTasksReport(PageCanvas& measuring, const Locale& locale, std::vector<Task> tasks,
                     DateTime day = {});

protected:
    [[nodiscard]] std::vector<Head> heads() const override;
    void drawFrame() override { drawBracketFrame(); }
    void drawItems(int pageIndex) override;
    int paginate() override;

private:
    std::vector<Task> tasks_;
    std::vector<PageItems> pages_;
};
