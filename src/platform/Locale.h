#pragma once

#include <string>

// What core needs of the user's regional settings. Pictures use the Windows-style
// letters that DatePicture.h interprets: d dd ddd dddd M MM MMM MMMM yy yyyy for dates,
// h hh H HH m mm s ss t tt for times, and '...' for literal text.
class Locale {
public:
    virtual ~Locale() = default;

    // The short date form, with a four-digit year ("M/d/yyyy").
    virtual std::string shortDatePicture() const = 0;
    // The long date form ("dddd, MMMM d, yyyy").
    virtual std::string longDatePicture() const = 0;
    // The time form with seconds ("h:mm:ss tt").
    virtual std::string timePicture() const = 0;
    // The time form without seconds ("h:mm tt").
    virtual std::string shortTimePicture() const = 0;
    // Month 1 to 12, full or abbreviated.
    virtual std::string monthName(int month, bool abbreviated) const = 0;
    // Day of week 1 Sunday to 7 Saturday, full or abbreviated.
    virtual std::string dayName(int dayOfWeek, bool abbreviated) const = 0;
    // The morning and afternoon markers ("AM", "PM").
    virtual std::string amText() const = 0;
    virtual std::string pmText() const = 0;
    // The day a week starts on, 1 Sunday to 7 Saturday, as the calendar shows it.
    virtual int firstDayOfWeek() const { return 1; }
};

// Whether the locale's own short time form keeps the 24-hour clock ("HH:mm"): an hour
// written with H and no morning or afternoon marker, quoted text aside.
[[nodiscard]] inline bool usesTwentyFourHourClock(const Locale& locale) {
    bool quoted = false, twentyFour = false, marker = false;
    for (const char c : locale.shortTimePicture()) {
        if (c == '\'') quoted = !quoted;
        if (quoted) continue;
        twentyFour = twentyFour || c == 'H';
        marker = marker || c == 't' || c == 'h';
    }
    return twentyFour && !marker;
}
