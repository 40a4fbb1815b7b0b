#include "textio/ImportValues.h"

#include <algorithm>

#include "textio/FieldTokenizer.h"

int32_t readInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && FieldTokenizer::isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), INT32_MAX);
    return static_cast<int32_t>(negative ? -value : value);
}

bool isOneOf(std::string_view value, std::initializer_list<std::string_view> words) {
    return std::any_of(words.begin(), words.end(), [&](std::string_view word) {
        return value.size() == word.size() &&
               std::equal(value.begin(), value.end(), word.begin(), [](char a, char b) {
                   return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
               });
    });
}

void trimInPlace(std::string& text) {
    const std::string_view kept = trimmed(text, kFieldBlanks);
    if (kept.size() != text.size()) text = std::string(kept);
}

DateTime roundToQuarterHour(DateTime moment) {
    const int minute = moment.minute();
    if (minute == DateTime::kBadField) return moment;
    const int r = minute % 15;
    if (r == 0) return moment;
    return moment + DateTimeSpan::fromParts(0, 0, r <= 7 ? -r : 15 - r, 0);
}

int32_t roundToFive(int32_t minutes) {
    const int32_t q = minutes % 5;  // carries the sign of minutes
    if (q == 1 || q == 2) return minutes - q;
    if (q == 3 || q == 4) return minutes + (5 - q);
    return minutes;
}
