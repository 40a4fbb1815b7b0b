#include <gtest/gtest.h>

#include <vector>

#include "records/Occurrences.h"
#include "records/ZoneRules.h"
#include "support/Records.h"
#include "support/TzGuard.h"

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0) {
    return DateTime::fromFields(y, mo, d, h, mi);
}

int64_t wall(DateTime t) {
    return t.localSeconds().value_or(-1);
}

Appointment series(DateTime start, const char* rule, bool allDay = false) {
    Appointment a = appointmentAt("Series", start, start + DateTimeSpan::fromParts(0, 1, 0, 0));
    Schedule& s = a.schedule.edit();
    s.rule = RecurrenceRule::parse(rule);
    s.allDay = allDay;
    return a;
}

TEST(SeriesOutline, ARemovedDateOfATimedSeriesTakesEachStartOfItsDay) {
    TzGuard zone("Europe/Berlin");
    const Appointment twice = series(at(2027, 1, 4, 9), "FREQ=DAILY;BYHOUR=9,17");
    const Appointment midnight = series(at(2027, 1, 4), "FREQ=DAILY;BYHOUR=0,12");
    const Appointment days = series(at(2027, 1, 4), "FREQ=DAILY", true);
    struct Case {
        const char* what;
        const Appointment& appointment;
        DateTime removed;
        std::vector<int64_t> starts;
    };
    const Case cases[] = {
        {"a date", twice, at(2027, 1, 5), {wall(at(2027, 1, 5, 9)), wall(at(2027, 1, 5, 17))}},
        {"a start", twice, at(2027, 1, 5, 17), {wall(at(2027, 1, 5, 17))}},
        {"a day before the series", twice, at(2027, 1, 1), {}},
        {"midnight of a series starting then", midnight, at(2027, 1, 5), {wall(at(2027, 1, 5))}},
        {"a date of whole days", days, at(2027, 1, 5), {wall(at(2027, 1, 5))}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(startsRemovedBy(c.appointment, c.removed), c.starts) << c.what;
}

TEST(SeriesOutline, AZonedSeriesIsOutlinedInItsZonesWallTime) {
    TzGuard zone("Europe/Berlin");
    Appointment call = series(at(2027, 1, 6, 15), "FREQ=WEEKLY;UNTIL=20270211T045959Z");
    call.schedule.edit().zone = "America/New_York";
    const SeriesOutline outline = seriesOutline(call);
    EXPECT_EQ(outline.first, wall(at(2027, 1, 6, 9)));
    EXPECT_EQ(outline.duration, 3600);
    EXPECT_EQ(outline.until, wall(at(2027, 2, 10, 23, 59)) + 59);
    ASSERT_NE(outline.zone, nullptr);
    EXPECT_EQ(outline.zone->name(), "America/New_York");
}

}  // namespace
