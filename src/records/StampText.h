#pragma once

#include <string>
#include <string_view>

#include "records/DateTime.h"

// A local time as the program's own state and listings write it: "2026-12-06 10:00:00";
// "" for a null time.
[[nodiscard]] std::string stampText(DateTime time);
// The time written so; a null time for anything else, or for a day that does not exist.
[[nodiscard]] DateTime timeOfStamp(std::string_view text);
