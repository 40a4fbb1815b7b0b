#include "records/DateParse.h"

#include <algorithm>

#include "platform/Locale.h"
#include "records/TimeOfDayText.h"

struct DateParser::Token {
    enum Kind { Number, Word, Punct } kind;
    std::string_view text;
    int value = -1;  // numbers only; -1 when too long to be a date or time field
};

struct DateParser::DatePart {
    int year;
    int month;
    int day;
    size_t next;  // the first token after the date
};

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80;
}

// Blanks, including the no-break and narrow spaces that locales put into their forms.
size_t blankLength(std::string_view text, size_t i) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') return 1;
    const std::string_view rest = text.substr(i);
    if (rest.starts_with("\xC2\xA0")) return 2;
    for (const std::string_view space : {"\xE2\x80\xAF", "\xE2\x80\x89", "\xE2\x80\x8A"}) {
        if (rest.starts_with(space)) return 3;
    }
    return 0;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// Where the day, month and year letters first occur in a picture: "MDY", "DMY" or "YMD".
std::string fieldOrder(std::string_view picture) {
    size_t pos[3] = {std::string_view::npos, std::string_view::npos, std::string_view::npos};
    bool quoted = false;
    for (size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (c == '\'') quoted = !quoted;
        if (quoted) continue;
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        const int slot = c == 'd' && run <= 2 ? 0 : c == 'M' ? 1 : c == 'y' ? 2 : -1;
        if (slot >= 0 && pos[slot] == std::string_view::npos) pos[slot] = i;
        i += run - 1;
    }
    std::string order = "DMY";
    std::sort(order.begin(), order.end(), [&](char a, char b) {
        auto at = [&](char f) { return pos[f == 'D' ? 0 : f == 'M' ? 1 : 2]; };
        return at(a) < at(b);
    });
    return pos[0] == std::string_view::npos || pos[1] == std::string_view::npos ? "MDY" : order;
}

// The literal text of a picture (quoted text and characters that are none of its field
// letters), in lower case, so that words like "de", "年" or "ч" around the fields can be
// recognised.
std::string literalText(std::string_view picture, std::string_view fieldLetters) {
    std::string out;
    bool quoted = false;
    for (const char c : picture) {
        if (c == '\'') {
            quoted = !quoted;
            out += ' ';
        } else if (quoted || fieldLetters.find(c) == std::string_view::npos) {
            out += c;
        }
    }
    return lower(out);
}

constexpr std::string_view kDateLetters = "dMy";
constexpr std::string_view kTimeLetters = "hHmst";

// A marker or a run of marker words as one key: lower case, without blanks and dots, so
// that "p.m.", "p. m." and "PM" meet.
std::string markerKey(std::string_view text) {
    std::string key;
    for (size_t i = 0; i < text.size();) {
        if (const size_t blank = blankLength(text, i)) {
            i += blank;
            continue;
        }
        if (text[i] != '.') key += text[i];
        ++i;
    }
    return lower(key);
}

}  // namespace

std::vector<DateParser::Token> DateParser::tokenize(std::string_view text) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < text.size()) {
        if (const size_t blank = blankLength(text, i)) {
            i += blank;
            continue;
        }
        size_t end = i + 1;
        if (isDigit(text[i])) {
            while (end < text.size() && isDigit(text[end]))
                ++end;
            int value = -1;
            if (end - i <= 6) {
                value = 0;
                for (size_t k = i; k < end; ++k)
                    value = value * 10 + (text[k] - '0');
            }
            tokens.push_back({Token::Number, text.substr(i, end - i), value});
        } else if (isLetter(text[i])) {
            while (end < text.size() && isLetter(text[end]) && blankLength(text, end) == 0)
                ++end;
            tokens.push_back({Token::Word, text.substr(i, end - i)});
        } else {
            tokens.push_back({Token::Punct, text.substr(i, 1)});
        }
        i = end;
    }
    return tokens;
}

DateParser::DateParser(const Locale& locale)
    : locale_(locale),
      shortOrder_(fieldOrder(locale.shortDatePicture())),
      longOrder_(fieldOrder(locale.longDatePicture())),
      shortPicture_(literalText(locale.shortDatePicture(), kDateLetters)),
      longPicture_(literalText(locale.longDatePicture(), kDateLetters)),
      timeLiterals_(literalText(locale.timePicture(), kTimeLetters) + ' ' +
                    literalText(locale.shortTimePicture(), kTimeLetters)) {}

void DateParser::loadNames() const {
    if (!months_.empty()) return;
    for (const bool abbreviated : {false, true}) {
        for (int m = 1; m <= 12; ++m) {
            std::string name = lower(locale_.monthName(m, abbreviated));
            // "déc." is written "déc" as often as not.
            if (!name.empty() && name.back() == '.') name.pop_back();
            months_.push_back(std::move(name));
        }
        for (int d = 1; d <= 7; ++d) {
            std::string name = lower(locale_.dayName(d, abbreviated));
            if (!name.empty() && name.back() == '.') name.pop_back();
            days_.push_back(std::move(name));
        }
    }
    am_ = markerKey(locale_.amText());
    pm_ = markerKey(locale_.pmText());
}

int DateParser::monthFromName(std::string_view word) const {
    loadNames();
    const std::string w = lower(word);
    for (size_t i = 0; i < months_.size(); ++i) {
        if (!months_[i].empty() && months_[i] == w) return static_cast<int>(i % 12) + 1;
    }
    return 0;
}

bool DateParser::isDayName(std::string_view word) const {
    loadNames();
    return std::find(days_.begin(), days_.end(), lower(word)) != days_.end();
}

bool DateParser::isLiteralWord(std::string_view word) const {
    const std::string w = lower(word);
    return shortPicture_.find(w) != std::string::npos || longPicture_.find(w) != std::string::npos;
}

int DateParser::markerOf(const std::vector<Token>& t, size_t first, size_t last) const {
    loadNames();
    // The words as one key first: a marker may be several words ("e paradites").
    std::string all, unknown;
    for (size_t i = first; i < last; ++i) {
        if (t[i].kind == Token::Number) return -1;
        const std::string text = lower(t[i].text);
        if (t[i].kind == Token::Word) {
            all += text;
            if (timeLiterals_.find(text) == std::string::npos) unknown += text;
        } else if (text != "." && timeLiterals_.find(text) == std::string::npos) {
            return -1;
        }
    }
    for (const std::string& key : {all, unknown}) {
        if (key.empty()) return 0;
        if (key == "am" || key == "a" || key == am_) return 1;
        if (key == "pm" || key == "p" || key == pm_) return 2;
    }
    return -1;
}

std::optional<DateParser::DatePart> DateParser::readDate(const std::vector<Token>& t) const {
    auto isPunct = [&](size_t i, char c) {
        return i < t.size() && t[i].kind == Token::Punct && t[i].text[0] == c;
    };
    auto isNumber = [&](size_t i) { return i < t.size() && t[i].kind == Token::Number; };

    DatePart date{};
    size_t i = 0;
    if (isNumber(0) && t[0].text.size() == 4 && isPunct(1, '-') && isNumber(2) && isPunct(3, '-') &&
        isNumber(4)) {
        // ISO 8601: year, month, day.
        date = {t[0].value, t[2].value, t[4].value, 5};
        i = 5;
    } else {
        struct Number {
            int value;
            size_t digits;
        };
        std::vector<Number> numbers;
        int month = 0;
        while (i < t.size() && numbers.size() + (month ? 1 : 0) < 3) {
            const Token& token = t[i];
            if (token.kind == Token::Number) {
                if (isPunct(i + 1, ':')) break;  // a time begins
                numbers.push_back({token.value, token.text.size()});
            } else if (token.kind == Token::Word) {
                const int m = monthFromName(token.text);
                if (m != 0 && month == 0)
                    month = m;
                else if (!isDayName(token.text) && !isLiteralWord(token.text))
                    return std::nullopt;
            }
            ++i;
        }
        if (numbers.size() + (month ? 1 : 0) < 3) return std::nullopt;
        auto year = [](const Number& n) {
            return n.digits <= 2 ? expandTwoDigitYear(n.value) : n.value;
        };
        if (month != 0) {
            // Day and year around a month name: a long number is the year, otherwise the
            // long form's order decides.
            bool dayFirst = longOrder_.find('D') < longOrder_.find('Y');
            if (numbers[0].digits > 2) dayFirst = false;
            if (numbers[1].digits > 2) dayFirst = true;
            const Number& d = dayFirst ? numbers[0] : numbers[1];
            const Number& y = dayFirst ? numbers[1] : numbers[0];
            date = {year(y), month, d.value, i};
        } else {
            // A leading long number is a year whatever the locale says.
            const std::string order = numbers[0].digits > 2 ? "YMD" : shortOrder_;
            int fields[3] = {};
            for (size_t k = 0; k < 3; ++k) {
                const int slot = order[k] == 'Y' ? 0 : order[k] == 'M' ? 1 : 2;
                fields[slot] = order[k] == 'Y' ? year(numbers[k]) : numbers[k].value;
            }
            date = {fields[0], fields[1], fields[2], i};
        }
    }
    // Trailing punctuation or literal words ("6.", "日"), and the "T" of ISO 8601.
    while (i < t.size() &&
           (t[i].kind == Token::Punct ||
            (t[i].kind == Token::Word && (lower(t[i].text) == "t" || isLiteralWord(t[i].text))))) {
        ++i;
    }
    date.next = i;
    return date;
}

std::optional<TimeOfDay> DateParser::readTime(const std::vector<Token>& t, size_t i) const {
    auto isNumber = [&](size_t k) { return k < t.size() && t[k].kind == Token::Number; };
    // ":" or ".", or the locale's own between the fields ("21時05分", "9시 5분").
    auto isTimeSeparator = [&](size_t k) {
        if (k >= t.size() || t[k].kind == Token::Number) return false;
        if (t[k].kind == Token::Punct && (t[k].text[0] == ':' || t[k].text[0] == '.')) return true;
        return timeLiterals_.find(lower(t[k].text)) != std::string::npos;
    };

    // Before and after the numbers: an AM/PM marker and the fixed text of the locale's
    // time forms ("Kl. 23.15", "9:30 ч.", "下午9:30").
    const size_t start = i;
    while (i < t.size() && t[i].kind != Token::Number)
        ++i;
    const int before = markerOf(t, start, i);
    if (before < 0 || !isNumber(i)) return std::nullopt;
    TimeOfDay time{t[i].value, 0, 0};
    ++i;
    bool hasMinutes = false;
    if (isTimeSeparator(i) && isNumber(i + 1)) {
        time.minute = t[i + 1].value;
        hasMinutes = true;
        i += 2;
        if (isTimeSeparator(i) && isNumber(i + 1)) {
            time.second = t[i + 1].value;
            i += 2;
        }
    }
    const int after = markerOf(t, i, t.size());
    if (after < 0 || (before && after)) return std::nullopt;
    const int marker = before + after;
    if (!hasMinutes && !marker) return std::nullopt;
    // Other programs write the hours of the night as they are: no afternoon guess.
    const auto minute = clockMinute(time.hour, time.minute,
                                    marker == 1 ? 'a'
                                    : marker    ? 'p'
                                                : 0,
                                    false);
    if (!minute || time.second < 0 || time.second > 59) return std::nullopt;
    time.hour = *minute / 60;
    time.minute = *minute % 60;
    return time;
}

DateTime DateParser::parseDate(std::string_view text) const {
    const auto tokens = tokenize(text);
    const auto date = readDate(tokens);
    if (!date) return DateTime();
    if (date->next < tokens.size() && !readTime(tokens, date->next)) return DateTime();
    return DateTime::fromFields(date->year, date->month, date->day);
}

std::optional<TimeOfDay> DateParser::parseTime(std::string_view text) const {
    const auto tokens = tokenize(text);
    if (auto time = readTime(tokens, 0)) return time;
    const auto date = readDate(tokens);
    if (!date || date->next >= tokens.size()) return std::nullopt;
    return readTime(tokens, date->next);
}
