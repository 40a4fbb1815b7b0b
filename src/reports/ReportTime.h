#pragma once

#include <string>

#include "platform/Locale.h"
#include "records/DateTime.h"

// A time of day as the reports print it: "9:05 A" and "1:30 P", or "9:05" and "13:30" where
// the user's locale keeps the 24-hour clock.
[[nodiscard]] inline std::string reportTimeText(DateTime time, const Locale& locale) {
    return time.formatTime(locale, usesTwentyFourHourClock(locale) ? "H':'mm" : "h':'mm t");
}
