#include "records/DatePicture.h"

#include <gtest/gtest.h>

#include "support/FixedLocale.h"

namespace {

TEST(DatePicture, ExpandsDateAndTimeLetters) {
    const FixedLocale locale;
    const CalendarFields morning{2007, 3, 4, 0, 7, 9, 1};
    const CalendarFields evening{2026, 11, 21, 23, 45, 0, 7};
    struct Case {
        const char* picture;
        const CalendarFields& fields;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {"d dd ddd dddd", morning, "4 04 Sun Sunday", "d dd ddd dddd"},
        {"M MM MMM MMMM", morning, "3 03 Mar March", "M MM MMM MMMM"},
        {"y yy yyyy", morning, "7 07 2007", "y yy yyyy"},
        {"h hh H HH m mm s ss t tt", morning, "h hh H HH m mm s ss t tt",
         "12 12 0 00 7 07 9 09 A AM"},
        {"h:mm tt", evening, "h:mm tt", "11:45 PM"},
        {"'dd ''quoted'' MM' dd", evening, "dd 'quoted' MM 21", "dd 'quoted' MM dd"},
        {"'unterminated d", evening, "unterminated d", "unterminated d"},
        {"", evening, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        EXPECT_EQ(formatDatePicture(c.fields, c.picture, locale), c.date);
        EXPECT_EQ(formatTimePicture(c.fields, c.picture, locale), c.time);
    }
}

}  // namespace
