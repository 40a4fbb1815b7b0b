#include "reports/DayEntryLines.h"

#include <gtest/gtest.h>

namespace {

// One unit per byte, so widths read as character counts.
int bytes(std::string_view text) {
    return int(text.size());
}

using Lines = std::vector<std::string>;

TEST(DayEntryLines, WrapsAtBlanksAndInsideOverlongWords) {
    struct Case {
        const char* text;
        int width;
        Lines lines;
    };
    const Case cases[] = {
        {"9:00 A Dentist", 10, {"9:00 A", "Dentist"}},
        {"Call  the\nplumber", 8, {"Call the", "plumber"}},
        {"Reconfiguration now", 6, {"Reconf", "igurat", "ion", "now"}},
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         4,
         {"Gr\xC3\xBC",
          "\xC3\x9F"
          "e"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapText(c.text, c.width, bytes), c.lines) << c.text;
}

TEST(DayEntryLines, ShowsWholeEntriesAndCountsTheRest) {
    const Lines day = {"9:00 A Dentist", "10:00 A Budget meeting", "Buy stamps", "Call Ann"};
    struct Case {
        int width, lineCount;
        Lines lines;
    };
    const Case cases[] = {
        {30, 4, day},
        {30, 3, {"9:00 A Dentist", "10:00 A Budget meeting", "+2 more"}},
        // The meeting takes two lines of its own.
        {15, 4, {"9:00 A Dentist", "10:00 A Budget", "meeting", "+2 more"}},
        {15, 5, {"9:00 A Dentist", "10:00 A Budget", "meeting", "Buy stamps", "Call Ann"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitDayEntries(day, c.width, c.lineCount, bytes), c.lines)
            << c.width << " x " << c.lineCount;
}

}  // namespace
