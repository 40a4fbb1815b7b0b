#include "organizer/RuleWords.h"

#include <gtest/gtest.h>

#include "support/FixedLocale.h"

namespace {

TEST(RuleWords, SayTheRuleWithTheStartsDayWhereTheRuleNamesNone) {
    const DateTime monday = DateTime::fromFields(2026, 12, 7, 9, 0);
    const DateTime friday = DateTime::fromFields(2026, 12, 25);
    const struct {
        const char* rule;
        DateTime start;
        const char* words;
    } cases[] = {
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;UNTIL=20270331", monday,
         "Every 2 weeks on Monday and Thursday, until 31 Mar 2027"},
        {"FREQ=MONTHLY;BYDAY=-1FR", friday, "Every month on the last Friday"},
        {"FREQ=MONTHLY;INTERVAL=3;BYDAY=2TU", monday, "Every 3 months on the second Tuesday"},
        {"FREQ=DAILY;COUNT=5", monday, "Every day, 5 times"},
        {"FREQ=WEEKLY;COUNT=1", friday, "Every week on Friday, 1 time"},
        {"FREQ=MONTHLY", monday, "Every month on day 7"},
        {"FREQ=MONTHLY;BYMONTHDAY=-1", monday, "Every month on the last day"},
        {"FREQ=YEARLY", friday, "Every year on 25 December"},
        {"FREQ=HOURLY;INTERVAL=3", monday, "Every 3 hours"},
        {"FREQ=WEEKLY;BYDAY=SU,MO,SA", monday, "Every week on Sunday, Monday and Saturday"},
        {"FREQ=YEARLY;BYMONTH=1,6;BYDAY=MO;BYSETPOS=-1;BYHOUR=9,17", monday,
         "Every year in January and June on Monday (also BYHOUR=9,17;BYSETPOS=-1)"},
    };
    const FixedLocale locale;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(ruleInWords(RecurrenceRule::parse(c.rule).value(), c.start, locale), c.words);
    }
}

}  // namespace
