#pragma once

#include <string>
#include <string_view>

#include "records/Schedule.h"

// A schedule as one field of an appointment, so that sync compares, merges and keeps in its
// state a series' rule and exceptions as it does a description: lines of "name value", the
// times as wall times of the series. What only this program cares for (the UID it came
// with, the alarms already rung) is left out. An empty schedule is "".
[[nodiscard]] std::string scheduleField(const Schedule& schedule);

// Reads the text back into `schedule`, leaving its UID and rung alarms as they are; false
// (and `schedule` untouched) when the text is not one scheduleField wrote.
[[nodiscard]] bool readScheduleField(std::string_view text, Schedule& schedule);

// A short description of the schedule for messages ("weekly, 2 changed, 1 removed").
[[nodiscard]] std::string scheduleFieldSummary(std::string_view text);
