#include "records/TimeOfDayText.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kFirstNightHour = 1;
constexpr int kLastNightHour = 4;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text in lower case without blanks, or nothing when it has blanks the rules refuse.
// A dot between digits separates hours from minutes; elsewhere it is part of a marker
// ("p.m.") and dropped.
std::optional<std::string> squeezed(std::string_view text, const TimeRules& rules) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            if (!(rules.forms & kBlanks)) return std::nullopt;
            continue;
        }
        if (c == '.' && !(out.empty() || !isDigit(out.back()))) {
            out += '.';
            continue;
        }
        if (c == '.') {
            if (!(rules.forms & kMarker)) return std::nullopt;
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
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

int valueOf(std::string_view digits) {
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

unsigned formOfSeparator(char c) {
    return c == ':' ? kHourColonMinutes : c == '.' ? kHourDotMinutes : kHourLetterMinutes;
}

}  // namespace

std::optional<int> clockMinute(int hour, int minute, char marker, bool afternoonGuess) {
    if (minute < 0 || minute > 59) return std::nullopt;
    if (marker != 0) {
        if (hour < 1 || hour > 12) return std::nullopt;
        hour = hour % 12 + (marker == 'p' ? 12 : 0);
    } else {
        if (hour < 0 || hour > 23) return std::nullopt;
        if (afternoonGuess && hour >= kFirstNightHour && hour <= kLastNightHour) hour += 12;
    }
    return hour * 60 + minute;
}

std::optional<int> readTimeOfDay(std::string_view typed, const TimeRules& rules) {
    auto text = squeezed(typed, rules);
    if (!text) return std::nullopt;
    const char marker = takeMarker(*text);
    if (marker != 0 && !(rules.forms & kMarker)) return std::nullopt;
    // An hour with its separator and no minutes yet: "9.", "8h".
    if (!text->empty() && (text->back() == ':' || text->back() == '.' || text->back() == 'h')) {
        if (!(rules.forms & (text->back() == 'h' ? kHourLetterMinutes : kBareHour)))
            return std::nullopt;
        text->pop_back();
    }
    const std::string_view all = *text;
    std::string_view hours = all;
    std::string_view minutes = "00";
    unsigned form = kBareHour;
    if (const size_t separator = all.find_first_of(":.h"); separator != std::string_view::npos) {
        hours = all.substr(0, separator);
        minutes = all.substr(separator + 1);
        form = formOfSeparator(all[separator]);
        if (minutes.size() != 2) return std::nullopt;
    } else if (all.size() > 2) {
        hours = all.substr(0, all.size() - 2);
        minutes = all.substr(all.size() - 2);
        form = kDigitsOnly;
    }
    if (!(rules.forms & form)) return std::nullopt;
    if (!allDigits(hours) || !allDigits(minutes) || hours.size() > 2) return std::nullopt;
    return clockMinute(valueOf(hours), valueOf(minutes), marker, rules.afternoonGuess);
}
