#pragma once

#include <string>
#include <string_view>

#include "records/RecurrenceRule.h"
#include "support/Records.h"

// `appointment` repeating by the RRULE value `rule` ("FREQ=WEEKLY;COUNT=3").
inline Appointment repeating(Appointment appointment, std::string_view rule) {
    appointment.schedule.edit().rule = RecurrenceRule::parse(rule).value();
    return appointment;
}

// Whole days from `first` to `last` (dates), stored as a version-16 reader shows them.
inline Appointment wholeDays(std::string description, DateTime first, DateTime last) {
    Appointment appointment = appointmentAt(std::move(description), first.date(),
                                            first.date() + DateTimeSpan::fromParts(0, 23, 59, 0));
    appointment.schedule.edit().allDay = true;
    if (last.date() > first.date()) appointment.schedule.edit().lastDay = last.date();
    return appointment;
}

// An appointment from `start` to `end` on a later day.
inline Appointment severalDays(std::string description, DateTime start, DateTime end) {
    Appointment appointment = appointmentAt(std::move(description), start, end);
    appointment.schedule.edit().lastDay = end.date();
    return appointment;
}
