#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/Appointment.h"
#include "records/Task.h"

// The fields of a record that a calendar item holds, as patchEvent and patchTodo number them.
enum class EventField { Description, Start, End, Alarm, Count };
enum class TodoField { Description, Priority, Due, Done, Count };

// The calendar object for the server with the appointment written in as an event. A new one
// (`serverText` empty) is written whole, named `uid`. Otherwise the server's own calendar is
// kept (attendees, rules, time zones, other alarms) and only the properties of the fields
// `changed` marks are rewritten in its first event that is not an exception of a series:
// the summary; the start and end (a duration goes); the first alarm's trigger, added as a
// display alarm when there is none and removed when the appointment has none. "" when the
// server's text holds no such event.
[[nodiscard]] std::string patchEvent(std::string_view serverText, const Appointment& appointment,
                                     const std::vector<bool>& changed, const std::string& uid);

// The same for a task as a to-do: summary; priority with the status, completion and its
// time; due time (a date when it falls at midnight).
[[nodiscard]] std::string patchTodo(std::string_view serverText, const Task& task,
                                    const std::vector<bool>& changed, const std::string& uid);

// The UID of the first event or to-do of the text; "" for none.
[[nodiscard]] std::string calendarUid(std::string_view text);
