#pragma once

#include <array>

#include "platform/Locale.h"

// United States English with four-digit years, independent of the environment.
// Used by tests and wherever a predictable form is wanted.
class FixedLocale : public Locale {
public:
    std::string shortDatePicture() const override { return "M/d/yyyy"; }
    std::string longDatePicture() const override { return "dddd, MMMM d, yyyy"; }
    std::string timePicture() const override { return "h:mm:ss tt"; }
    std::string shortTimePicture() const override { return "h:mm tt"; }
    std::string monthName(int month, bool abbreviated) const override {
        static constexpr std::array<const char*, 12> kMonths = {
            "January", "February", "March",     "April",   "May",      "June",
            "July",    "August",   "September", "October", "November", "December"};
        return month >= 1 && month <= 12 ? pick(kMonths[month - 1], abbreviated) : "";
    }
    std::string dayName(int dayOfWeek, bool abbreviated) const override {
        static constexpr std::array<const char*, 7> kDays = {
            "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
        return dayOfWeek >= 1 && dayOfWeek <= 7 ? pick(kDays[dayOfWeek - 1], abbreviated) : "";
    }
    std::string amText() const override { return "AM"; }
    std::string pmText() const override { return "PM"; }

private:
    static std::string pick(const char* name, bool abbreviated) {
        return abbreviated ? std::string(name, 3) : name;
    }
};
