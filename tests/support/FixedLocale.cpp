#include "support/FixedLocale.h"

#include <array>

namespace {

constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> kDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};

std::string pick(const char* name, bool abbreviated) {
    std::string text(name);
    return abbreviated ? text.substr(0, 3) : text;
}

}  // namespace

std::string FixedLocale::monthName(int month, bool abbreviated) const {
    return month >= 1 && month <= 12 ? pick(kMonths[month - 1], abbreviated) : "";
}

std::string FixedLocale::dayName(int dayOfWeek, bool abbreviated) const {
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? pick(kDays[dayOfWeek - 1], abbreviated) : "";
}
