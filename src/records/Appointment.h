#pragma once

#include <cstdint>
#include <string>

#include "records/DateTime.h"
#include "records/PackedText.h"
#include "records/Schedule.h"

// An entry of the appointment book.
// The small members stand together, beside the ID: a document holds a hundred thousand of
// these, and apart each would take a word of its own.
struct Appointment {
    int32_t ID = 0;
    bool Alarm = false;
    bool Done = false;
    // Which of the four dates name the later of the two instants of an hour the clocks
    // repeat (kLater... bits). The file's seconds say it, so it is held in memory only.
    uint8_t laterOfTwo = 0;
    static constexpr uint8_t kLaterDue = 1, kLaterStart = 2, kLaterEnd = 4, kLaterAlarm = 8;
    std::string Description;
    DateTime DueDate;    // the day the appointment is listed on
    DateTime StartTime;  // its time of day is what the views show
    DateTime EndTime;    // its time of day is what the views show
    DateTime AlarmTime;  // full date and time; meaningful only while Alarm is set
    // Beyond version 16: the UID it came with, or was given when first exported or synced,
    // so that other programs know it again; "" for none yet.
    PackedText uid;
    // Beyond version 16: whole days, several days, a zone, a repeat rule and its
    // exceptions. Holds nothing for an ordinary appointment.
    ScheduleBox schedule;

    // Whether the date of `bit` names the later instant of a repeated hour.
    [[nodiscard]] bool later(uint8_t bit) const { return (laterOfTwo & bit) != 0; }
    // Clears the later-of-two bit of each date that differs from `before`'s: a date given
    // anew names the earlier instant of a repeated hour, as every time typed in does.
    void forgetLaterWhereChanged(const Appointment& before);
    [[nodiscard]] bool repeats() const { return schedule.get().repeats(); }

    // When it starts (a series: its first start), in local time: the one rule every view,
    // report, reminder and export files it by. StartTime, when it lies on DueDate's day or
    // less than a day after DueDate, as it does in the zone that wrote it and, as an
    // instant, in any other; otherwise StartTime's time of day on DueDate's day, as whole
    // days and delimited text, whose StartTime has no date of its own, give it.
    [[nodiscard]] DateTime firstStart() const;
    // When it ends, by the same rule from its last day (DueDate's without one).
    [[nodiscard]] DateTime firstEnd() const;
    // The day it is listed on: that of its start.
    [[nodiscard]] DateTime day() const { return firstStart().date(); }

    // A new appointment as the program creates it: every date and time at `now`.
    [[nodiscard]] static Appointment createdAt(DateTime now);

    bool operator==(const Appointment&) const = default;
};
