#include "records/Occurrences.h"

#include <gtest/gtest.h>

#include "support/SeriesRecords.h"

namespace {

DateTime may(int day, int hour = 0) {
    return DateTime::fromFields(2026, 5, day, hour, 0);
}

// Every occurrence a range lists is found again by its key, as the reminders and the
// editors look one up: a changed occurrence whose key the rule does not make too.
TEST(Occurrences, EachListedOccurrenceIsFoundByItsKey) {
    // Mondays at 9 from 4 May; the 11th moved to the Tuesday, and a change keyed by a
    // Wednesday the rule never makes (a rule edited elsewhere after the change was made).
    Appointment series = repeating(appointmentAt("Weekly", may(4, 9), may(4, 10)), "FREQ=WEEKLY");
    series.schedule.edit().changed = {{may(6, 9), may(6, 14), may(6, 15), "Stray", false, 0},
                                      {may(11, 9), may(12, 9), may(12, 10), "Moved", false, 0}};
    const auto listed = occurrencesOnDays(series, may(4), may(19));
    ASSERT_EQ(listed.size(), 4u);
    for (const Occurrence& o : listed) {
        const Occurrence found = occurrenceAt(series, o.key);
        EXPECT_EQ(std::tuple(found.start, found.description()),
                  std::tuple(o.start, o.description()))
            << o.key.format("%d %H:%M");
    }
    series.schedule.edit().removed = {may(6, 9)};
    EXPECT_TRUE(occurrenceAt(series, may(6, 9)).start.isNull()) << "taken out";
    EXPECT_TRUE(occurrenceAt(series, may(5, 9)).start.isNull()) << "no such start";
}

}  // namespace
