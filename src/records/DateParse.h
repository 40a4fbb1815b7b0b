#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/DateTime.h"

class Locale;

// A time of day as read from text.
struct TimeOfDay {
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
    int second = 0;  // 0 to 59
    bool operator==(const TimeOfDay&) const = default;
};

// Reads dates and times as users and other programs write them: the locale's short and
// long date forms (day and month names in any case, two-digit years read into 1950-2049),
// ISO 8601 ("2026-12-06", "2026-12-06T09:30"), and times in the locale's form, 12-hour
// with an AM/PM marker or 24-hour "HH:MM". The inverse of DatePicture's formatting.
class DateParser {
public:
    // Keeps a reference to `locale`, which must outlive the parser.
    explicit DateParser(const Locale& locale);

    // The date at 00:00, or null when the text is not a valid date. A time after the
    // date is allowed and ignored.
    [[nodiscard]] DateTime parseDate(std::string_view text) const;
    // The time of day, or nothing when the text is not a time. A date before the time is
    // allowed and ignored.
    [[nodiscard]] std::optional<TimeOfDay> parseTime(std::string_view text) const;

    // The year a two-digit year stands for: 50 to 99 in the 1900s, 0 to 49 in the 2000s.
    [[nodiscard]] static int expandTwoDigitYear(int year) {
        return year < 50 ? 2000 + year : 1900 + year;
    }

private:
    struct Token;
    struct DatePart;
    [[nodiscard]] static std::vector<Token> tokenize(std::string_view text);
    [[nodiscard]] std::optional<DatePart> readDate(const std::vector<Token>& tokens) const;
    [[nodiscard]] std::optional<TimeOfDay> readTime(const std::vector<Token>& tokens,
                                                    size_t first) const;
    [[nodiscard]] int monthFromName(std::string_view word) const;
    [[nodiscard]] bool isDayName(std::string_view word) const;
    [[nodiscard]] bool isLiteralWord(std::string_view word) const;
    // What tokens [first, last) around a time's numbers say: 0 nothing (blanks, dots or
    // the time forms' fixed text), 1 AM, 2 PM, -1 anything else.
    [[nodiscard]] int markerOf(const std::vector<Token>& tokens, size_t first, size_t last) const;
    void loadNames() const;

    const Locale& locale_;
    std::string shortOrder_;  // "MDY", "DMY" or "YMD" from the short date picture
    std::string longOrder_;   // the same from the long date picture
    std::string shortPicture_;
    std::string longPicture_;
    std::string timeLiterals_;  // the fixed text of the long and short time pictures
    // Lower-case month names (full then abbreviated, 24), day names (14), and the markers
    // as markerKey() writes them.
    mutable std::vector<std::string> months_;
    mutable std::vector<std::string> days_;
    mutable std::string am_;
    mutable std::string pm_;
};
