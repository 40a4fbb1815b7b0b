#pragma once

#include <cstdint>
#include <string_view>

#include "records/DateTime.h"

class SecondsConverter;
struct Schedule;

// How the document file holds what an appointment keeps beyond version 16: the names of
// the added attributes and of the Occurrence element, and the seconds its times become.
// A reader that follows the version-16 rules passes over all of it.
namespace scheduleform {

inline constexpr std::string_view kAllDay = "AllDay";
inline constexpr std::string_view kLastDay = "LastDay";
inline constexpr std::string_view kZone = "TZID";
inline constexpr std::string_view kRule = "RRule";
inline constexpr std::string_view kAdded = "RDate";
inline constexpr std::string_view kRemoved = "ExDate";
inline constexpr std::string_view kRemindedUntil = "RemindedUntil";

inline constexpr std::string_view kOccurrence = "Occurrence";
inline constexpr std::string_view kReplaces = "Replaces";
inline constexpr std::string_view kStart = "StartTime";
inline constexpr std::string_view kEnd = "EndTime";
inline constexpr std::string_view kDescription = "Description";
inline constexpr std::string_view kAlarm = "Alarm";
inline constexpr std::string_view kAlarmMinutes = "AlarmMinutes";

}  // namespace scheduleform

// Turns the wall times of a series (its extra, removed and changed starts) into the
// seconds the file holds, and back. A series on local time is written as every date of the
// file is, the instant its local time names, so that its times move with its first start
// when the time zone of the machine changes. A series with a zone keeps the wall times of
// that zone, which no local time zone moves: they are written as the seconds of the wall
// time itself, counted as if it were UTC.
class SeriesSeconds {
public:
    // For a series whose zone is `zone` ("" for local time) and which is all-day or not:
    // an all-day series lives on local days whatever its zone.
    SeriesSeconds(SecondsConverter& local, std::string_view zone, bool allDay)
        : local_(local), wallClock_(!zone.empty() && !allDay) {}
    SeriesSeconds(SecondsConverter& local, const Schedule& schedule);

    // The seconds a time is written as.
    [[nodiscard]] int64_t toSeconds(DateTime time);
    // The time that seconds read from the file stand for; null for what names none.
    [[nodiscard]] DateTime fromSeconds(int64_t seconds);

private:
    SecondsConverter& local_;
    bool wallClock_;
};
