#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/DateTime.h"

class PimDocument;
struct Task;

// One line of the day's task list.
struct TaskRow {
    int32_t id = 0;
    int32_t priority = 0;  // picks the row's image
    std::string description;
    DateTime dueDate;
};

// One line of the day's appointment list.
struct AppointmentRow {
    int32_t id = 0;
    bool alarm = false;  // picks the row's image
    std::string description;
    DateTime startTime;
    DateTime endTime;
};

// Whether the task list of `shown` lists the task, today being `today` (both dates at
// 00:00): due that day when it is not past; on today, every open task due by then; on a
// day not after today, the tasks completed that day.
[[nodiscard]] bool isTaskListedOn(const Task& task, DateTime shown, DateTime today);

// The task rows of a day in the document's order (ascending ID).
[[nodiscard]] std::vector<TaskRow> dayTaskRows(const PimDocument& document, DateTime shown,
                                               DateTime today);

// The appointments due on a day, earliest start first; equal starts newest (highest ID)
// first.
[[nodiscard]] std::vector<AppointmentRow> dayAppointmentRows(const PimDocument& document,
                                                             DateTime shown);
