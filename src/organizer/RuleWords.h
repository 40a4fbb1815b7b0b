#pragma once

#include <string>

#include "records/DateTime.h"
#include "records/RecurrenceRule.h"

class Locale;

// A repeat rule in words, for the line under the repeat choices: "Every 2 weeks on Monday
// and Thursday, until 31 Mar 2027". `start` is the series' first start: a rule that names
// no day repeats on the start's weekday, day of the month or day of the year. Parts that
// have no words here (BYSETPOS, BYHOUR, ...) are named as the rule writes them.
[[nodiscard]] std::string ruleInWords(const RecurrenceRule& rule, DateTime start,
                                      const Locale& locale);

// "Monday" for a rule's weekday (0 Monday to 6 Sunday), in the locale's language.
[[nodiscard]] std::string weekdayName(int weekday, const Locale& locale);
// "the second Tuesday", "the last Friday", or the weekday alone for ordinal 0.
[[nodiscard]] std::string weekdayInWords(WeekdayNum day, const Locale& locale);
