#include <gtest/gtest.h>

#include <climits>

#include "records/DateTime.h"
#include "records/RuleExpansion.h"

namespace {

int64_t wall(int year, int month, int day, int hour = 10) {
    return *DateTime::fromFields(year, month, day, hour).localSeconds();
}

// The first start is the first of the counted occurrences, also where the rule would not
// make it, or a series begun off its days would gain one.
TEST(RuleExpansionTest, CountsTheFirstStartAsTheFirstOccurrence) {
    const int64_t monday = wall(2026, 12, 7);
    const struct {
        const char* rule;
        int64_t until;
        int64_t last;
    } cases[] = {
        {"FREQ=WEEKLY;BYDAY=TU;COUNT=2", INT64_MAX, wall(2026, 12, 8)},
        {"FREQ=WEEKLY;BYDAY=MO;COUNT=2", INT64_MAX, wall(2026, 12, 14)},
        {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=1", INT64_MAX, monday},
        {"FREQ=WEEKLY;BYDAY=TU;COUNT=3", wall(2026, 12, 10), wall(2026, 12, 8)},
        {"FREQ=WEEKLY;BYDAY=TU;COUNT=3", monday - 1, INT64_MIN},
    };
    for (const auto& c : cases) {
        ExpansionBudget budget;
        EXPECT_EQ(RuleExpansion(*RecurrenceRule::parse(c.rule), monday).lastStart(c.until, budget),
                  c.last)
            << c.rule;
    }
}

}  // namespace
