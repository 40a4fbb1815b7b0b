#pragma once

#include <optional>
#include <string_view>

// A time of day as a user types it into a time field: "1:30 PM", "1:30p", "130p",
// "13:30", "1330", "13.30", "9". Without AM or PM the hour is read on the 24-hour clock,
// except that 1 to 4 mean the afternoon, as nobody books those hours of the night here.
// The minute of the day, or nothing for text that is no time.
[[nodiscard]] std::optional<int> parseTypedTime(std::string_view text);

// The quarter of the day nearest to `minuteOfDay` (7 minutes past a quarter go down, 8 go
// up), kept within `firstQuarter` to `lastQuarter`.
[[nodiscard]] int nearestQuarter(int minuteOfDay, int firstQuarter, int lastQuarter);
