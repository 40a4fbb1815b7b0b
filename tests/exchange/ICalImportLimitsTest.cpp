#include "ICalImportFixture.h"
#include "exchange/RecurrenceExpansion.h"

// Calendars made to cost minutes and gigabytes, or naming dates that do not exist: each is
// read at once, and what it could not take is listed with its reason.

namespace {

TEST_F(ICalImportTest, HostileAndImpossibleEntriesAreSkippedWithTheirReasons) {
    std::string hours, minutes;
    for (int i = 0; i < 60; ++i) {
        if (i < 24) hours += (i ? "," : "") + std::to_string(i);
        minutes += (i ? "," : "") + std::to_string(i);
    }
    std::string manyRules;
    for (int i = 0; i < 2000; ++i)
        manyRules +=
            "RRULE:FREQ=DAILY;BYHOUR=" + hours + ";BYMINUTE=" + std::to_string(i % 60) + "\r\n";
    const auto zone = [](const char* frequency) {
        return "BEGIN:VTIMEZONE\r\nTZID:Evil\r\nBEGIN:STANDARD\r\nDTSTART:16010101T000000\r\nRRULE:"
               "FREQ=" +
               std::string(frequency) +
               "\r\nTZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    };
    // Rules that make libical look at every second, minute, hour or year for a date that
    // never comes, or for more dates than can be kept.
    const auto since1970 = [](const char* rule) {
        return event(std::string("DTSTART:19700101T000000\r\nRRULE:") + rule + "\r\n");
    };
    const std::string never = "skipped 4: no occurrence from a year ago to two years ahead\n";
    const std::string tooMany = "skipped 4: repeats into more dates than can be expanded\n";
    const std::string inEvil = "2026-12-07 08:00 to 2026-12-07 08:00: Meeting\nnote 4\n";
    const std::string notThere = "is a date or time that does not exist";
    expectRows({
        {"every second of a day that never comes",
         since1970("FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=31"), never},
        {"every hour of one", since1970("FREQ=HOURLY;BYMONTH=2;BYMONTHDAY=30;INTERVAL=1"), never},
        {"a 41st Sunday", since1970("FREQ=YEARLY;BYMONTH=3;BYDAY=41SU"), never},
        {"every second", since1970("FREQ=SECONDLY"), "skipped 4: repeats too often to expand\n"},
        {"every second of every day",
         event("DTSTART:20261201T000000Z\r\nRRULE:FREQ=DAILY;BYHOUR=" + hours +
               ";BYMINUTE=" + minutes + ";BYSECOND=" + minutes + "\r\n"),
         tooMany},
        {"2000 rules on one event", event("DTSTART:20261201T000000Z\r\n" + manyRules), tooMany},
        {"a zone changing the clock every second since 1601",
         zone("SECONDLY") + event("DTSTART;TZID=Evil:20261207T100000\r\n"), inEvil},
        {"a zone changing it at every hour of a yearly day",
         zone("YEARLY;BYHOUR=1,2") + event("DTSTART;TZID=Evil:20261207T100000\r\n"), inEvil},
        {"one line of 16 MB",
         event("DTSTART:20261207T090000Z\r\nX-NOTES:" + std::string(16 << 20, 'x') + "\r\n"),
         "2026-12-07 10:00 to 2026-12-07 10:00: Meeting\n"},
        {"29 February of a common year", event("DTSTART:20260229T100000\r\n"),
         "skipped 4: its start " + notThere + " (such as 30 February or hour 25)\n"},
        {"the same in a zone", event("DTSTART;TZID=Europe/Berlin:20260229T100000\r\n"),
         "skipped 4: its start " + notThere + " (such as 30 February or hour 25)\n"},
        {"month 13", event("DTSTART:20261307T100000Z\r\n"),
         "skipped 4: its start " + notThere + " (such as 30 February or hour 25)\n"},
        {"an end on 32 December", event("DTSTART:20261207T100000Z\r\nDTEND:20261232T100000Z\r\n"),
         "skipped 4: its end " + notThere + "\n"},
        {"a to-do due on 30 February",
         "BEGIN:VTODO\r\nSUMMARY:Call\r\nDUE:20260230T120000Z\r\nEND:VTODO\r\n",
         "skipped 4: its due date " + notThere + "\n"},
    });

    // Rules within the limit of one still add up to the limit of an import.
    RecurrenceBudget units;
    EXPECT_FALSE(units.take(RecurrenceBudget::kPerRule + 1));
    EXPECT_TRUE(units.take(RecurrenceBudget::kPerRule));
    EXPECT_FALSE(units.take(RecurrenceBudget::kPerImport - RecurrenceBudget::kPerRule + 1));
}

}  // namespace
