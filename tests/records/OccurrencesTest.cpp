#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "records/Occurrences.h"
#include "records/RuleExpansion.h"
#include "records/ZoneRules.h"
#include "support/ProcessGuards.h"
#include "support/Records.h"
#include "support/SeriesRecords.h"

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0) {
    return DateTime::fromFields(y, mo, d, h, mi);
}

std::string stamp(DateTime t) {
    return t.format("%Y-%m-%d %H:%M");
}

// A series starting at `start`, an hour long, repeating by `rule`.
Appointment series(const char* rule, DateTime start, const char* zone = "") {
    Appointment a = repeating(appointmentAt("Series", start, start + DateTimeSpan(1.0 / 24)), rule);
    a.schedule.edit().zone = zone;
    return a;
}

// The starts of the occurrences on the days from `first` to `last`, as text.
std::string starts(const Appointment& a, DateTime first, DateTime last) {
    std::string out;
    for (const Occurrence& o : occurrencesOnDays(a, first, last))
        out += (out.empty() ? "" : ", ") + stamp(o.start);
    return out;
}

}  // namespace

TEST(RecurrenceRule, ReadsAndWritesEveryPartAndNamesTheBadOne) {
    for (const char* text :
         {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH", "FREQ=MONTHLY;COUNT=5;BYDAY=-1FR",
          "FREQ=YEARLY;UNTIL=20301231T235959Z;BYMONTHDAY=29;BYMONTH=2",
          "FREQ=DAILY;UNTIL=20270331;BYMINUTE=30;BYHOUR=9,17",
          "FREQ=YEARLY;BYYEARDAY=-1;BYWEEKNO=20;BYSETPOS=1,-1;WKST=SU"}) {
        const auto rule = RecurrenceRule::parse(text);
        ASSERT_TRUE(rule) << text;
        EXPECT_EQ(rule->text(), text);
    }
    for (const auto& [text, part] : std::vector<std::pair<const char*, const char*>>{
             {"INTERVAL=2", "FREQ"},
             {"FREQ=FORTNIGHTLY", "FREQ=FORTNIGHTLY"},
             {"FREQ=DAILY;INTERVAL=0", "INTERVAL=0"},
             {"FREQ=MONTHLY;BYDAY=6XX", "BYDAY=6XX"},
             {"FREQ=MONTHLY;BYMONTHDAY=32", "BYMONTHDAY=32"},
             {"FREQ=DAILY;UNTIL=2027-01-01", "UNTIL=2027-01-01"},
             {"FREQ=DAILY;BOGUS", "BOGUS"}}) {
        std::string error;
        EXPECT_FALSE(RecurrenceRule::parse(text, &error)) << text;
        EXPECT_EQ(error, part);
    }
    EXPECT_TRUE(RecurrenceRule::parse("FREQ=WEEKLY;BYDAY=MO,TH;COUNT=3")->isSimple());
    EXPECT_FALSE(RecurrenceRule::parse("FREQ=MONTHLY;BYDAY=FR;BYSETPOS=-1")->isSimple());
}

TEST(Occurrences, FollowTheCalendarsAwkwardDays) {
    TzGuard tz("UTC");
    struct Case {
        const char* rule;
        DateTime start, first, last;
        const char* expected;
    };
    const Case cases[] = {
        // The 31st: months without one are skipped; 29 February: leap years only.
        {"FREQ=MONTHLY", at(2027, 1, 31, 9), at(2027, 1, 1), at(2027, 5, 31),
         "2027-01-31 09:00, 2027-03-31 09:00, 2027-05-31 09:00"},
        {"FREQ=YEARLY", at(2028, 2, 29, 9), at(2028, 1, 1), at(2033, 1, 1),
         "2028-02-29 09:00, 2032-02-29 09:00"},
        {"FREQ=MONTHLY;BYDAY=-1FR", at(2027, 1, 29, 9), at(2027, 1, 1), at(2027, 4, 30),
         "2027-01-29 09:00, 2027-02-26 09:00, 2027-03-26 09:00, 2027-04-30 09:00"},
        {"FREQ=MONTHLY;BYDAY=2TU", at(2027, 1, 12, 9), at(2027, 1, 1), at(2027, 3, 31),
         "2027-01-12 09:00, 2027-02-09 09:00, 2027-03-09 09:00"},
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH", at(2027, 1, 4, 9), at(2027, 1, 1), at(2027, 1, 31),
         "2027-01-04 09:00, 2027-01-07 09:00, 2027-01-18 09:00, 2027-01-21 09:00"},
        {"FREQ=DAILY;COUNT=3", at(2027, 1, 1, 9), at(2026, 1, 1), at(2028, 1, 1),
         "2027-01-01 09:00, 2027-01-02 09:00, 2027-01-03 09:00"},
        {"FREQ=DAILY;UNTIL=20270102T090000", at(2027, 1, 1, 9), at(2026, 1, 1), at(2028, 1, 1),
         "2027-01-01 09:00, 2027-01-02 09:00"},
        // An UNTIL before the start: no occurrence at all, not even the first.
        {"FREQ=DAILY;UNTIL=20261231", at(2027, 1, 1, 9), at(2026, 1, 1), at(2028, 1, 1), ""},
        // Parts that never meet cost nothing and give nothing.
        {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30", at(2027, 1, 1, 9), at(2027, 1, 2), at(2099, 1, 1),
         ""},
        {"FREQ=DAILY;BYHOUR=9,17;BYMINUTE=0,30;COUNT=5", at(2027, 1, 1, 9), at(2027, 1, 1),
         at(2027, 1, 3),
         "2027-01-01 09:00, 2027-01-01 09:30, 2027-01-01 17:00, 2027-01-01 17:30, "
         "2027-01-02 09:00"},
        {"FREQ=YEARLY;BYDAY=MO;BYWEEKNO=1", at(2027, 1, 4, 9), at(2027, 1, 1), at(2028, 1, 31),
         "2027-01-04 09:00, 2028-01-03 09:00"},
        {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", at(2027, 1, 29, 9), at(2027, 1, 1),
         at(2027, 3, 31), "2027-01-29 09:00, 2027-02-26 09:00, 2027-03-31 09:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(starts(series(c.rule, c.start), c.first, c.last), c.expected) << c.rule;
}

TEST(Occurrences, CountedAndEndlessRulesCostTheSameWhereverTheyAreAsked) {
    TzGuard tz("UTC");
    const Appointment counted = series("FREQ=DAILY;COUNT=500", at(2027, 1, 1, 9));
    EXPECT_EQ(occurrencesOnDays(counted, at(2027, 1, 1), at(2030, 1, 1)).size(), 500u);
    EXPECT_EQ(stamp(coveredDays(counted).last), "2028-05-14 00:00");
    for (const auto& [rule, year] : {std::pair{"FREQ=YEARLY;UNTIL=50001231", 5000},
                                     std::pair{"FREQ=YEARLY;UNTIL=99991231", 9999}}) {
        const Appointment far = series(rule, at(2027, 6, 1, 9));
        EXPECT_EQ(starts(far, at(year, 1, 1), at(9999, 12, 31)), stamp(at(year, 6, 1, 9)));
        EXPECT_EQ(coveredDays(far).last, at(year, 6, 1));
    }
    // Every second for ever: a query stops at its bound and says so.
    const Appointment busy = series("FREQ=SECONDLY", at(2027, 1, 1));
    ExpansionBudget budget;
    const auto some = occurrencesOnDays(busy, at(2027, 1, 1), at(2027, 12, 31), budget);
    EXPECT_TRUE(budget.exhausted);
    EXPECT_LE(some.size(), size_t(ExpansionBudget{}.steps));
    EXPECT_TRUE(coveredDays(busy).last.isNull());
}

TEST(Occurrences, ExceptionsMultiDayAndAllDayLandOnTheirDays) {
    TzGuard tz("UTC");
    Appointment weekly = series("FREQ=WEEKLY;COUNT=4", at(2027, 3, 1, 22));
    weekly.EndTime = at(2027, 3, 2, 1);
    weekly.AlarmTime = at(2027, 3, 1, 21, 45);
    weekly.Alarm = true;
    Schedule& s = weekly.schedule.edit();
    s.lastDay = at(2027, 3, 2);
    s.removed = {at(2027, 3, 15, 22)};
    s.changed = {{at(2027, 3, 8, 22), at(2027, 3, 10, 9), at(2027, 3, 10, 10), "Moved", true, 30}};
    // 22:00 to 01:00 shows on both days; the moved one only where it went.
    EXPECT_EQ(starts(weekly, at(2027, 3, 2), at(2027, 3, 9)), "2027-03-01 22:00");
    EXPECT_EQ(starts(weekly, at(2027, 3, 8), at(2027, 3, 16)), "2027-03-10 09:00");
    const auto all = occurrencesOnDays(weekly, at(2027, 3, 1), at(2027, 3, 31));
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].description(), "Moved");
    EXPECT_EQ(stamp(all[1].alarmTime()), "2027-03-10 08:30");
    EXPECT_EQ(stamp(all[2].alarmTime()), "2027-03-22 21:45");
    EXPECT_EQ(stamp(all[2].lastDay()), "2027-03-23 00:00");
    EXPECT_EQ(stamp(occurrenceAt(weekly, at(2027, 3, 8, 22)).start), "2027-03-10 09:00");
    EXPECT_TRUE(occurrenceAt(weekly, at(2027, 3, 15, 22)).start.isNull());

    const Appointment conference = wholeDays("Conference", at(2027, 5, 3), at(2027, 5, 5));
    for (int day = 2; day <= 6; ++day)
        EXPECT_EQ(occurrencesOnDays(conference, at(2027, 5, day), at(2027, 5, day)).size(),
                  day >= 3 && day <= 5 ? 1u : 0u)
            << day;
    EXPECT_EQ(stamp(nextOccurrence(conference, at(2027, 5, 1)).end), "2027-05-06 00:00");
    const Appointment night = severalDays("Night", at(2027, 5, 7, 22), at(2027, 5, 8));
    EXPECT_EQ(starts(night, at(2027, 5, 8), at(2027, 5, 8)), "") << "ending at midnight";
}

TEST(Occurrences, AZonedSeriesKeepsItsHourThroughTheZonesChanges) {
    if (!ZoneRules::named("America/Havana") || !ZoneRules::named("Australia/Lord_Howe"))
        GTEST_SKIP() << "no time zone database";
    // Each seen in its own zone: the day the clocks skip the hour, and the day after. A wall
    // time the clocks repeat names its first instant: 01:30 EDT, seen from UTC.
    const struct {
        const char *zone, *seenIn;
        DateTime start, first, last;
        const char* expected;
    } cases[] = {
        {"America/Havana", "America/Havana", at(2027, 3, 1, 0, 15), at(2027, 3, 14),
         at(2027, 3, 15), "2027-03-14 01:15, 2027-03-15 00:15"},
        {"Australia/Lord_Howe", "Australia/Lord_Howe", at(2027, 9, 1, 2, 15), at(2027, 10, 3),
         at(2027, 10, 4), "2027-10-03 02:45, 2027-10-04 02:15"},
        {"America/New_York", "UTC", at(2027, 11, 6, 5, 30), at(2027, 11, 7), at(2027, 11, 8),
         "2027-11-07 05:30, 2027-11-08 06:30"},
    };
    for (const auto& c : cases) {
        TzGuard tz(c.seenIn);
        EXPECT_EQ(starts(series("FREQ=DAILY", c.start, c.zone), c.first, c.last), c.expected)
            << c.zone;
    }
}

TEST(ZoneRules, RefusesNamesOutsideTheDatabaseAndBytesThatAreNoZone) {
    for (const char* name : {"../../etc/passwd", "/etc/localtime", "", "Europe/No_Such_Place"})
        EXPECT_EQ(ZoneRules::named(name), nullptr) << name;
    for (const std::string& bytes : {std::string(), std::string("TZif2"), std::string(200, 'x')})
        EXPECT_EQ(ZoneRules::fromTzif("x", bytes), nullptr);
}

// Every occurrence a range lists is found again by its key, as the reminders and the
// editors look one up: a changed occurrence whose key the rule does not make too.
TEST(Occurrences, EachListedOccurrenceIsFoundByItsKey) {
    // Mondays at 9 from 4 May; the 11th moved to the Tuesday, and a change keyed by a
    // Wednesday the rule never makes (a rule edited elsewhere after the change was made).
    Appointment weekly = series("FREQ=WEEKLY", at(2026, 5, 4, 9));
    weekly.schedule.edit().changed = {
        {at(2026, 5, 6, 9), at(2026, 5, 6, 14), at(2026, 5, 6, 15), "Stray", false, 0},
        {at(2026, 5, 11, 9), at(2026, 5, 12, 9), at(2026, 5, 12, 10), "Moved", false, 0}};
    const auto listed = occurrencesOnDays(weekly, at(2026, 5, 4), at(2026, 5, 19));
    ASSERT_EQ(listed.size(), 4u);
    for (const Occurrence& o : listed) {
        const Occurrence found = occurrenceAt(weekly, o.key);
        EXPECT_EQ(std::tuple(found.start, found.description()),
                  std::tuple(o.start, o.description()))
            << o.key.format("%d %H:%M");
    }
    weekly.schedule.edit().removed = {at(2026, 5, 6, 9)};
    EXPECT_TRUE(occurrenceAt(weekly, at(2026, 5, 6, 9)).start.isNull()) << "taken out";
    EXPECT_TRUE(occurrenceAt(weekly, at(2026, 5, 5, 9)).start.isNull()) << "no such start";
}

namespace {

int64_t wall(DateTime t) {
    return t.localSeconds().value_or(-1);
}

}  // namespace

TEST(SeriesOutline, ARemovedDateOfATimedSeriesTakesEachStartOfItsDay) {
    TzGuard zone("Europe/Berlin");
    const Appointment twice = series("FREQ=DAILY;BYHOUR=9,17", at(2027, 1, 4, 9));
    const Appointment midnight = series("FREQ=DAILY;BYHOUR=0,12", at(2027, 1, 4));
    const Appointment days =
        repeating(wholeDays("Days", at(2027, 1, 4), at(2027, 1, 4)), "FREQ=DAILY");
    const struct {
        const char* what;
        const Appointment& appointment;
        DateTime removed;
        std::vector<int64_t> starts;
    } cases[] = {
        {"a date", twice, at(2027, 1, 5), {wall(at(2027, 1, 5, 9)), wall(at(2027, 1, 5, 17))}},
        {"a start", twice, at(2027, 1, 5, 17), {wall(at(2027, 1, 5, 17))}},
        {"a day before the series", twice, at(2027, 1, 1), {}},
        {"midnight of a series starting then", midnight, at(2027, 1, 5), {wall(at(2027, 1, 5))}},
        {"a date of whole days", days, at(2027, 1, 5), {wall(at(2027, 1, 5))}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(startsRemovedBy(c.appointment, c.removed), c.starts) << c.what;
}

TEST(SeriesOutline, AZonedSeriesIsOutlinedInItsZonesWallTime) {
    TzGuard zone("Europe/Berlin");
    const Appointment call =
        series("FREQ=WEEKLY;UNTIL=20270211T045959Z", at(2027, 1, 6, 15), "America/New_York");
    const SeriesOutline outline = seriesOutline(call);
    EXPECT_EQ(std::tuple(outline.first, outline.duration, outline.until),
              std::tuple(wall(at(2027, 1, 6, 9)), 3600, wall(at(2027, 2, 10, 23, 59)) + 59));
    ASSERT_NE(outline.zone, nullptr);
    EXPECT_EQ(outline.zone->name(), "America/New_York");
}

// The first start is the first of the counted occurrences, also where the rule would not
// make it, or a series begun off its days would gain one.
TEST(RuleExpansionTest, CountsTheFirstStartAsTheFirstOccurrence) {
    const auto day = [](int d) { return wall(at(2026, 12, d, 10)); };
    const struct {
        const char* rule;
        int64_t until, last;
    } cases[] = {
        {"FREQ=WEEKLY;BYDAY=TU;COUNT=2", INT64_MAX, day(8)},
        {"FREQ=WEEKLY;BYDAY=MO;COUNT=2", INT64_MAX, day(14)},
        {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=1", INT64_MAX, day(7)},
        {"FREQ=WEEKLY;BYDAY=TU;COUNT=3", day(10), day(8)},
        {"FREQ=WEEKLY;BYDAY=TU;COUNT=3", day(7) - 1, INT64_MIN},
    };
    for (const auto& c : cases) {
        ExpansionBudget budget;
        EXPECT_EQ(RuleExpansion(*RecurrenceRule::parse(c.rule), day(7)).lastStart(c.until, budget),
                  c.last)
            << c.rule;
    }
}
