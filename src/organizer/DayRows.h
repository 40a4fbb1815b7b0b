#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/DateTime.h"

class Locale;
class PimDocument;
class ScheduleIndex;
struct Appointment;
struct Occurrence;
struct Task;

// One line of the day's task list.
struct TaskRow {
    int32_t id = 0;
    int32_t priority = 0;  // picks the row's image
    std::string description;
    DateTime dueDate;
};

// One line of the day's appointment list, and what the reports print of an appointment: an
// ordinary appointment, or one occurrence of one that holds a schedule.
struct AppointmentRow {
    int32_t id = 0;
    bool alarm = false;  // picks the row's image: set and not yet turned off
    std::string description;
    DateTime startTime;  // an ordinary appointment's as stored; an occurrence's local start
    DateTime endTime;
    bool allDay = false;
    bool repeats = false;
    DateTime key;       // the occurrence's key in its series; null when it does not repeat
    DateTime firstDay;  // the first and the last day it covers (00:00)
    DateTime lastDay;
    // Set for a birthday or anniversary, which is no appointment (`id` is -1): the person
    // whose day it is, edited there.
    int32_t personId = 0;

    // Whether the row shows its start (its end) on `day`: one of several days shows its
    // start on the first of them and its end on the last.
    [[nodiscard]] bool startsOn(DateTime day) const { return firstDay.isNull() || firstDay == day; }
    [[nodiscard]] bool endsOn(DateTime day) const { return lastDay.isNull() || lastDay == day; }
    // Whether it is listed on `day` (a date).
    [[nodiscard]] bool covers(DateTime day) const { return firstDay <= day && day <= lastDay; }
};

// The row of an ordinary appointment (one without a schedule).
[[nodiscard]] AppointmentRow appointmentRow(int32_t id, const Appointment& appointment);
// The row of an occurrence.
[[nodiscard]] AppointmentRow appointmentRow(const Occurrence& occurrence);

// Whether `a` is listed before `b`: whole days first, then by start; equal starts newest
// (highest ID) first.
[[nodiscard]] bool listedBefore(const AppointmentRow& a, const AppointmentRow& b);

// What the time column shows of a row on `day`: "All day", or the start and end times
// without seconds, each only on the day it falls on ("9:00 AM-", "-5:00 PM").
[[nodiscard]] std::string appointmentTimes(const AppointmentRow& row, DateTime day,
                                           const Locale& locale);

// Whether the task list of `shown` lists the task, today being `today` (both dates at
// 00:00): due that day when it is not past; on today, every open task due by then; on a
// day not after today, the tasks completed that day.
[[nodiscard]] bool isTaskListedOn(const Task& task, DateTime shown, DateTime today);

// The task rows of a day in the document's order (ascending ID).
[[nodiscard]] std::vector<TaskRow> dayTaskRows(const PimDocument& document, DateTime shown,
                                               DateTime today);

// The appointments listed on a day: the ordinary ones due that day, every occurrence that
// covers it, and the birthdays and anniversaries that fall on it, in the order of
// listedBefore. `schedules` keeps what it learnt of the
// document for the next day asked.
[[nodiscard]] std::vector<AppointmentRow> dayAppointmentRows(const PimDocument& document,
                                                             DateTime shown,
                                                             ScheduleIndex& schedules);
[[nodiscard]] std::vector<AppointmentRow> dayAppointmentRows(const PimDocument& document,
                                                             DateTime shown);
