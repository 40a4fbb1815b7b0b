#include "organizer/DayRows.h"

#include <algorithm>

#include "organizer/PersonDays.h"
#include "organizer/Reminders.h"
#include "organizer/ScheduleIndex.h"
#include "platform/Translate.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"

AppointmentRow appointmentRow(int32_t id, const Appointment& appointment) {
    const DateTime start = appointment.firstStart();
    const DateTime day = start.date();
    return AppointmentRow{id,
                          appointment.Alarm,
                          appointment.Description,
                          start,
                          appointment.firstEnd(),
                          false,
                          false,
                          {},
                          day,
                          day};
}

AppointmentRow appointmentRow(const Occurrence& occurrence) {
    return AppointmentRow{occurrence.id(),          alarmStillSet(occurrence),
                          occurrence.description(), occurrence.start,
                          occurrence.end,           occurrence.allDay(),
                          occurrence.repeats(),     occurrence.key,
                          occurrence.firstDay(),    occurrence.lastDay()};
}

bool listedBefore(const AppointmentRow& a, const AppointmentRow& b) {
    if (a.allDay != b.allDay) return a.allDay;
    if (a.startTime != b.startTime) return a.startTime < b.startTime;
    return a.id > b.id;
}

std::string appointmentTimes(const AppointmentRow& row, DateTime day, const Locale& locale) {
    if (row.allDay) return _("All day");
    std::string text;
    if (row.startsOn(day)) text = row.startTime.formatTime(locale, TimeStyle::NoSeconds);
    text += '-';
    if (row.endsOn(day)) text += row.endTime.formatTime(locale, TimeStyle::NoSeconds);
    return text;
}

// A record's day is the local date of its value: a value read from a document may carry a
// time of day (an imported due time, or 01:00 on a day whose midnight the clocks skip).
bool isTaskListedOn(const Task& task, DateTime shown, DateTime today) {
    const DateTime due = task.DueDate.date();
    if (due == shown && shown >= today) return true;
    if (shown == today && due <= today && Task::listedPriority(task.Priority) != Task::Done)
        return true;
    return task.isDone() && task.DoneDate.date() == shown && shown <= today;
}

std::vector<TaskRow> dayTaskRows(const PimDocument& document, DateTime shown, DateTime today) {
    std::vector<TaskRow> rows;
    for (const auto& [id, task] : document.tasks()) {
        if (isTaskListedOn(task, shown, today))
            rows.push_back(
                TaskRow{id, Task::listedPriority(task.Priority), task.Description, task.DueDate});
    }
    return rows;
}

std::vector<AppointmentRow> dayAppointmentRows(const PimDocument& document, DateTime shown,
                                               ScheduleIndex& schedules) {
    std::vector<AppointmentRow> rows;
    // An ordinary appointment costs a date comparison; those with a schedule are asked of
    // the model only when their days may meet the day shown.
    for (const auto& [id, appointment] : document.appointments()) {
        if (!appointment.schedule.has() && appointment.day() == shown)
            rows.push_back(appointmentRow(id, appointment));
    }
    for (const Appointment* appointment : schedules.meeting(document, shown, shown)) {
        for (const Occurrence& occurrence : occurrencesOnDays(*appointment, shown, shown))
            rows.push_back(appointmentRow(occurrence));
    }
    for (const PersonDay& day : personDaysBetween(document, shown, shown))
        rows.push_back(personDayRow(day));
    std::stable_sort(rows.begin(), rows.end(), listedBefore);
    return rows;
}

std::vector<AppointmentRow> dayAppointmentRows(const PimDocument& document, DateTime shown) {
    ScheduleIndex schedules;
    return dayAppointmentRows(document, shown, schedules);
}
