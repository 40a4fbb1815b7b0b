#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/DateTime.h"

class Locale;

// The texts of a reminder window.

// How much of the description the caption keeps, counted in characters (Unicode code
// points), so that a cut never splits a multi-byte character.
inline constexpr size_t kCaptionDescriptionChars = 79;

// "Reminder: " and the first 79 characters of the description.
[[nodiscard]] std::string reminderCaption(std::string_view description);
// "This is your reminder for your 10:00 AM appointment.": the start time as hour (01 to
// 12), minutes and AM or PM, whatever the user's locale.
[[nodiscard]] std::string reminderMessage(DateTime startTime);
// The same naming the day in the user's long date form, for an occurrence of a series:
// "This is your reminder for your 10:00 AM appointment on Tuesday, May 12, 2026.".
[[nodiscard]] std::string reminderMessage(DateTime start, const Locale& locale);
// "This is your reminder for your all-day appointment on Tuesday, May 12, 2026.".
[[nodiscard]] std::string allDayReminderMessage(DateTime day, const Locale& locale);
// A line of the window of missed reminders: "Sunday, December 6, 2026, 10:00 AM: Dentist",
// with the time as "16:15" where the locale keeps the 24-hour clock, or "all day".
[[nodiscard]] std::string missedReminderLine(DateTime start, bool allDay,
                                             std::string_view description, const Locale& locale);
// The caption of the window of missed reminders.
[[nodiscard]] std::string missedRemindersCaption();
// Its message: a heading and the lines, one each.
[[nodiscard]] std::string missedRemindersMessage(const std::vector<std::string>& lines);
// The first `count` characters of UTF-8 text; a byte that does not start a well-formed
// character counts as one character on its own.
[[nodiscard]] std::string_view firstCharacters(std::string_view text, size_t count);
