#include "reports/DailyTasksReport.h"

#include "platform/Translate.h"

DailyTasksReport::DailyTasksReport(PageCanvas& measuring, const Locale& locale,
                                   std::vector<Task> tasks, DateTime day)
    : DailyReport(measuring, locale, _("DAILY TASKS"), day), tasks_(std::move(tasks)) {}

std::vector<DailyReport::Head> DailyTasksReport::heads() const {
    const int col1 = firstColumnX();
    const int col2 = secondColumnX();
    return {{col1, _("TASK")}, {col2, _("PRIORITY")}, {col2 + (col2 - col1) / 2, _("DUE DATE")}};
}

void DailyTasksReport::drawItems(int pageIndex) {
    const int col1 = firstColumnX();
    const int col2 = secondColumnX();
    const int col3 = col2 + (col2 - col1) / 2;
    for (const size_t index : pages_[size_t(pageIndex)]) {
        const Task& task = tasks_[index];
        const int y = nextRowY();
        clippedText(col1, col2 - averageCharWidth() / 2, y, task.Description);
        textOut(col2, y, priorityWord(task.Priority));
        textOut(col3, y, dateText(task.DueDate));
    }
}

int DailyTasksReport::paginate() {
    if (tasks_.empty()) return pageCount();  // an empty list keeps the count it had
    pages_ = paginateRows(tasks_.size());
    return int(pages_.size());
}
