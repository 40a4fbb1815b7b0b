#pragma once

#include <cstdint>
#include <string>

#include "records/DateTime.h"
#include "records/Task.h"

// What the task dialog edits: the text, the priority and the due date of one task.
struct TaskForm {
    int32_t id = 0;  // the task edited; 0 for a new one
    std::string description;
    int32_t priority = Task::High;
    DateTime dueDate;  // a chosen day is at 00:00; an untouched one stays as the task had it

    // A new task: no text, High, due on the day the calendar shows.
    [[nodiscard]] static TaskForm forNew(DateTime shownDate);
    // The values of an existing task.
    [[nodiscard]] static TaskForm of(const Task& task);

    // OK is offered only for a task with some text.
    [[nodiscard]] bool canConfirm() const { return !description.empty(); }
    // The date picker chose a day.
    void chooseDueDate(DateTime day) { dueDate = day.date(); }

    // `base` with the edited fields written over it; everything else (the ID, DoneDate)
    // stays as `base` has it, so choosing "Done" here does not mark when it was done.
    [[nodiscard]] Task writtenOver(Task base) const;
};
