#pragma once

#include <optional>
#include <string_view>

// The forms a time of day is written in, named once for every reader of times: the
// appointment dialog, the command line and the importers. Each reader takes the forms its
// rules allow.
enum TimeForm : unsigned {
    kHourColonMinutes = 1u << 0,   // "13:30", "1:30"
    kHourDotMinutes = 1u << 1,     // "13.30"
    kHourLetterMinutes = 1u << 2,  // "8h30", "8h"
    kDigitsOnly = 1u << 3,         // "1330", "930"
    kBareHour = 1u << 4,           // "9", "9." before its minutes
    kMarker = 1u << 5,             // "1:30 PM", "1:30p", "130p", "1:30 p.m."
    kBlanks = 1u << 6,             // blanks between the parts: "1:30 pm"
};

// Which forms a reader takes, and how it reads an hour without AM or PM.
struct TimeRules {
    unsigned forms = kHourColonMinutes;
    // Without AM or PM, 1 to 4 are the afternoon: nobody books those hours of the night.
    bool afternoonGuess = false;
};

// What a user types into a time field: every form, and the afternoon guess.
inline constexpr TimeRules kTypedTimeRules{kHourColonMinutes | kHourDotMinutes |
                                               kHourLetterMinutes | kDigitsOnly | kBareHour |
                                               kMarker | kBlanks,
                                           true};
// A command-line option: 24-hour "HH:MM" or "H:MM" and nothing else.
inline constexpr TimeRules kStrictTimeRules{kHourColonMinutes, false};

// The minute of the day `text` names under `rules`; nothing for text that is no time.
[[nodiscard]] std::optional<int> readTimeOfDay(std::string_view text, const TimeRules& rules);

// The minute of the day of an hour and minute read, with `marker` 'a' (AM), 'p' (PM) or 0
// for none; nothing when they are out of range (13 PM, 24:00, 9:60).
[[nodiscard]] std::optional<int> clockMinute(int hour, int minute, char marker,
                                             bool afternoonGuess);
