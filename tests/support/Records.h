#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "records/Appointment.h"
#include "records/Person.h"
#include "records/Task.h"

// A task as the editor makes it.
inline Task taskDue(std::string description, DateTime due, int32_t priority = Task::High) {
    Task task = Task::createdAt(due);
    task.Description = std::move(description);
    task.Priority = priority;
    return task;
}

// An appointment listed on the day of `start`; given `alarmMinutes`, its alarm is set that
// long before the start.
inline Appointment appointmentAt(std::string description, DateTime start, DateTime end,
                                 std::optional<int> alarmMinutes = std::nullopt) {
    Appointment appointment = Appointment::createdAt(start);
    appointment.Description = std::move(description);
    appointment.DueDate = start.date();
    appointment.EndTime = end;
    appointment.Alarm = alarmMinutes.has_value();
    appointment.AlarmTime = start - DateTimeSpan::fromParts(0, 0, alarmMinutes.value_or(0), 0);
    return appointment;
}

// A person the lists show as `name`, filed in `groups`.
inline Person listedPerson(std::string name, std::string company = "",
                           std::vector<int32_t> groups = {1}) {
    Person person;
    person.setRName(std::move(name));
    person.setCompany(std::move(company));
    person.PhGroups = std::move(groups);
    return person;
}
