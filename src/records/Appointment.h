#pragma once

#include <cstdint>
#include <string>

#include "records/DateTime.h"
#include "records/Schedule.h"

// An entry of the appointment book.
struct Appointment {
    int32_t ID = 0;
    std::string Description;
    DateTime DueDate;    // the day the appointment is listed on
    DateTime StartTime;  // its time of day is what the views show
    DateTime EndTime;    // its time of day is what the views show
    bool Alarm = false;
    DateTime AlarmTime;  // full date and time; meaningful only while Alarm is set
    bool Done = false;
    // Beyond version 16: the UID it came with, or was given when first exported or synced,
    // so that other programs know it again; "" for none yet.
    std::string uid;
    // Beyond version 16: whole days, several days, a zone, a repeat rule and its
    // exceptions. Holds nothing for an ordinary appointment.
    ScheduleBox schedule;

    [[nodiscard]] bool repeats() const { return schedule.get().repeats(); }

    // A new appointment as the program creates it: every date and time at `now`.
    [[nodiscard]] static Appointment createdAt(DateTime now);

    bool operator==(const Appointment&) const = default;
};
