#include "reports/DailyPlanReport.h"

#include "platform/Translate.h"

#include <algorithm>

DailyPlanReport::DailyPlanReport(PageCanvas& measuring, const Locale& locale,
                                 std::vector<AppointmentRow> appointments, std::vector<Task> tasks,
                                 DateTime day)
    : DailyReport(measuring, locale, _("DAILY PLAN"), day),
      appointments_(std::move(appointments)),
      tasks_(std::move(tasks)),
      day_(day) {}

DailyPlanReport::Columns DailyPlanReport::columns() const {
    const PageRect& c = contentRect();
    const int a = averageCharWidth() / 2;
    const int quarter = (c.right - c.left) / 4;
    const int half = quarter / 2;
    const int col2 = secondColumnX();
    return {c.left + a, c.left + a + half,  c.left + a + quarter,
            col2 + a,   col2 + a + quarter, col2 + a + quarter + half,
            quarter};
}

std::vector<DailyReport::Head> DailyPlanReport::heads() const {
    const Columns x = columns();
    return {{x.start, _("START")}, {x.end, _("END")},           {x.appointment, _("APPOINTMENT")},
            {x.task, _("TASK")},   {x.priority, _("PRIORITY")}, {x.dueDate, _("DUE DATE")}};
}

void DailyPlanReport::drawFrame() {
    drawBracketFrame();
    const PageRect& c = contentRect();
    page().moveTo(secondColumnX(), c.top + 2 * lineHeight());
    page().lineTo(secondColumnX(), c.bottom - lineHeight());
}

void DailyPlanReport::drawItems(int pageIndex) {
    const Columns x = columns();
    const size_t index = size_t(pageIndex);
    const int rowsTop = currentY();
    if (index < appointmentPages_.size()) {
        for (const size_t item : appointmentPages_[index]) {
            const AppointmentRow& appointment = appointments_[item];
            const int y = nextRowY();
            textOut(x.start, y, startText(appointment, day_));
            textOut(x.end, y, endText(appointment, day_));
            clippedText(x.appointment, secondColumnX(), y, appointment.description);
        }
    }
    setCurrentY(rowsTop);
    if (index < taskPages_.size()) {
        for (const size_t item : taskPages_[index]) {
            const Task& task = tasks_[item];
            const int y = nextRowY();
            clippedText(x.task, secondColumnX() + x.quarter, y, task.Description);
            textOut(x.priority, y, priorityWord(task.Priority));
            textOut(x.dueDate, y, dateText(task.DueDate));
        }
    }
}

int DailyPlanReport::paginate() {
    appointmentPages_ = paginateRows(appointments_.size());
    taskPages_ = paginateRows(tasks_.size());
    return int(std::max(appointmentPages_.size(), taskPages_.size()));
}
