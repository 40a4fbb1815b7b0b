#include "organizer/TaskForm.h"

TaskForm TaskForm::forNew(DateTime shownDate) {
    TaskForm form;
    form.dueDate = shownDate.date();
    return form;
}

TaskForm TaskForm::of(const Task& task) {
    return {task.ID, task.Description, task.Priority, task.DueDate};
}

Task TaskForm::writtenOver(Task base) const {
    const Task before = base;
    base.Description = description;
    base.Priority = priority;
    base.DueDate = dueDate;
    base.forgetLaterWhereChanged(before);
    return base;
}
