#include "organizer/TypedTime.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kFirstNightHour = 1;
constexpr int kLastNightHour = 4;

// The text without blanks and dots, in lower case ("1:30 p.m." becomes "1:30pm").
std::string squeezed(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '.') {
            // A dot between digits separates hours from minutes; elsewhere it is noise.
            if (c == '.' && !out.empty() && out.back() >= '0' && out.back() <= '9') out += ':';
            continue;
        }
        out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return out;
}

// Takes a trailing "am", "pm", "a" or "p" off `text`: 'a', 'p' or 0 for none.
char takeMarker(std::string& text) {
    if (text.size() >= 2 && text.back() == 'm' &&
        (text[text.size() - 2] == 'a' || text[text.size() - 2] == 'p'))
        text.pop_back();
    if (text.empty()) return 0;
    const char last = text.back();
    if (last != 'a' && last != 'p') return 0;
    text.pop_back();
    return last;
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of one or two digits.
int valueOf(std::string_view digits) {
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

}  // namespace

std::optional<int> parseTypedTime(std::string_view typed) {
    std::string text = squeezed(typed);
    if (!text.empty() && text.back() == ':') text.pop_back();  // "9." before its minutes
    const char marker = takeMarker(text);
    if (!text.empty() && (text.back() == ':' || text.back() == 'h')) text.pop_back();
    const std::string_view all = text;
    std::string_view hours = all;
    std::string_view minutes = "00";
    const size_t colon = all.find_first_of(":h");
    if (colon != std::string_view::npos) {
        hours = all.substr(0, colon);
        minutes = all.substr(colon + 1);
        if (minutes.size() != 2) return std::nullopt;
    } else if (all.size() > 2) {
        hours = all.substr(0, all.size() - 2);
        minutes = all.substr(all.size() - 2);
    }
    if (!allDigits(hours) || !allDigits(minutes) || hours.size() > 2) return std::nullopt;
    int hour = valueOf(hours);
    const int minute = valueOf(minutes);
    if (minute > 59) return std::nullopt;
    if (marker != 0) {
        if (hour < 1 || hour > 12) return std::nullopt;
        hour = hour % 12 + (marker == 'p' ? 12 : 0);
    } else {
        if (hour > 23) return std::nullopt;
        if (hour >= kFirstNightHour && hour <= kLastNightHour) hour += 12;
    }
    return hour * 60 + minute;
}

int nearestQuarter(int minuteOfDay, int firstQuarter, int lastQuarter) {
    return std::clamp((minuteOfDay + 7) / 15, firstQuarter, lastQuarter);
}
