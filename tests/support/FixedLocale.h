#pragma once

#include "platform/Locale.h"

// United States English with four-digit years, independent of the environment.
// Used by tests and wherever a predictable form is wanted.
class FixedLocale : public Locale {
public:
    std::string shortDatePicture() const override { return "M/d/yyyy"; }
    std::string longDatePicture() const override { return "dddd, MMMM d, yyyy"; }
    std::string timePicture() const override { return "h:mm:ss tt"; }
    std::string shortTimePicture() const override { return "h:mm tt"; }
    std::string monthName(int month, bool abbreviated) const override;
    std::string dayName(int dayOfWeek, bool abbreviated) const override;
    std::string amText() const override { return "AM"; }
    std::string pmText() const override { return "PM"; }
};
