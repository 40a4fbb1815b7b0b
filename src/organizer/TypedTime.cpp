#include "organizer/TypedTime.h"

#include <algorithm>

#include "records/TimeOfDayText.h"

std::optional<int> parseTypedTime(std::string_view text) {
    return readTimeOfDay(text, kTypedTimeRules);
}

int nearestQuarter(int minuteOfDay, int firstQuarter, int lastQuarter) {
    return std::clamp((minuteOfDay + 7) / 15, firstQuarter, lastQuarter);
}
