#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/DateTime.h"
#include "records/Trimmed.h"

// Conversions the importers apply to the values of a record.

// A decimal integer as C's atoi reads it: leading white space, an optional sign, then the
// digits up to the first other character; 0 without digits. Huge values saturate.
[[nodiscard]] int32_t readInteger(std::string_view text);

// Whether the value, in lower case, is one of `words` ("1", "true", "yes" ...).
[[nodiscard]] bool isOneOf(std::string_view value, std::initializer_list<std::string_view> words);

// The white space of delimited text, trimmed from the ends of its values.
inline constexpr std::string_view kFieldBlanks = " \t\n\v\f\r";
// Removes white space from both ends.
void trimInPlace(std::string& text);

// The moment moved to the nearest quarter hour: minutes 1-7 past a quarter go down,
// 8-14 go up.
[[nodiscard]] DateTime roundToQuarterHour(DateTime moment);

// A count of minutes rounded to a multiple of five: remainders 1-2 go toward zero, 3-4
// away from it (the remainder keeps the sign of the count).
[[nodiscard]] int32_t roundToFive(int32_t minutes);
