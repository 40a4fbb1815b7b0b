#include "records/MonthDay.h"

#include <gtest/gtest.h>

namespace {

TEST(MonthDayTest, ReadsTheFormsPhonesWriteAndNothingElse) {
    const std::pair<const char*, const char*> cases[] = {
        {"1990-04-12", "1990-04-12"},
        {"19900412", "1990-04-12"},
        {"--04-12", "--04-12"},
        {"--0412", "--04-12"},
        {"1990-04-12T08:30:00Z", "1990-04-12"},
        // The placeholder years phones write for a day without its year.
        {"1604-02-29", "--02-29"},
        {"0000-04-12", "--04-12"},
        // 1990 had no 29 February, but the card said so: it is kept as it came.
        {"1990-02-29", "1990-02-29"},
        {"", ""},
        {"1990-02-30", ""},
        {"--1312", ""},
        {"1990-4-12", ""},
        {"1990-04-12x", ""},
        {"--04-1", ""},
        {"tomorrow", ""},
    };
    for (const auto& [text, stored] : cases) {
        SCOPED_TRACE(text);
        const std::optional<MonthDay> day = MonthDay::parse(text);
        EXPECT_EQ(day.value_or(MonthDay()).text(), stored);
        EXPECT_EQ(day.has_value(), *stored != '\0');
        if (day) {
            EXPECT_EQ(MonthDay::parse(day->text()), day) << "its own text reads back";
        }
    }
}

TEST(MonthDayTest, FallsOnItsDayEachYearFromItsOwnOn) {
    const MonthDay leap = MonthDay::parse("1990-02-29").value();
    EXPECT_EQ(leap.dayIn(2027), DateTime::fromFields(2027, 2, 28)) << "a common year";
    EXPECT_EQ(leap.dayIn(2028), DateTime::fromFields(2028, 2, 29));
    EXPECT_TRUE(leap.dayIn(1989).isNull()) << "not before the year it began";
    EXPECT_EQ(leap.yearsIn(2028), 38);
    EXPECT_EQ(leap.yearsIn(1989), std::nullopt);

    const MonthDay yearless = MonthDay::parse("--04-12").value();
    EXPECT_EQ(yearless.dayIn(1), DateTime::fromFields(1, 4, 12));
    EXPECT_EQ(yearless.yearsIn(2027), std::nullopt);
    EXPECT_TRUE(MonthDay().dayIn(2027).isNull());
}

}  // namespace
