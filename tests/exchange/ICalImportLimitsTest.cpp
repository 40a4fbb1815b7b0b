#include <gtest/gtest.h>

#include <string>

#include "ICalImportFixture.h"
#include "exchange/ICalImport.h"
#include "exchange/RecurrenceExpansion.h"

// Calendars made to cost minutes and gigabytes, or naming dates that do not exist: each is
// read at once, and what it could not take is listed with its reason.

namespace {

TEST_F(ICalImportTest, RulesThatWouldSearchForeverAreSkippedNotFollowed) {
    // Each of these makes libical look at every second, minute, hour or year for a date
    // that never comes, or for more dates than can be kept; the import must end and say
    // which events it did not expand, and why.
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=31",
         "no occurrence from a year ago to two years ahead"},
        {"FREQ=HOURLY;BYMONTH=2;BYMONTHDAY=30;INTERVAL=1",
         "no occurrence from a year ago to two years ahead"},
        {"FREQ=YEARLY;BYMONTH=3;BYDAY=41SU", "no occurrence from a year ago to two years ahead"},
        {"FREQ=SECONDLY", "repeats too often to expand"},
    };
    std::string body;
    for (const auto& [rule, reason] : rows)
        body += event(std::string("DTSTART:19700101T000000\r\nRRULE:") + rule + "\r\n", rule);
    const CalendarImportResult result =
        importICalendarText(doc, calendar(body), CalendarParts::Both);
    EXPECT_EQ(result.appointments, 0);
    ASSERT_EQ(result.skipped.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_STREQ(result.skipped[i].reason, rows[i].second) << rows[i].first;

    // Rules within the limit of one still add up to the limit of an import.
    RecurrenceBudget units;
    EXPECT_FALSE(units.take(RecurrenceBudget::kPerRule + 1));
    EXPECT_TRUE(units.take(RecurrenceBudget::kPerRule));
    EXPECT_FALSE(units.take(RecurrenceBudget::kPerImport - RecurrenceBudget::kPerRule + 1));
}

// Small files that would make libical work for minutes and take gigabytes: each must be
// read at once, with what it could not take listed.
TEST_F(ICalImportTest, HostileCalendarsAreReadWithinBounds) {
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
        return std::string(
                   "BEGIN:VTIMEZONE\r\nTZID:Evil\r\nBEGIN:STANDARD\r\n"
                   "DTSTART:16010101T000000\r\nRRULE:FREQ=") +
               frequency +
               "\r\nTZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    };
    const std::string inEvil = event("DTSTART;TZID=Evil:20261207T100000\r\n");
    struct Case {
        const char* shape;
        std::string body;
        std::string records;
        std::vector<std::string> skipped;
        std::vector<size_t> noteLines;
    };
    const Case cases[] = {
        {"every second of every day",
         event("DTSTART:20261201T000000Z\r\nRRULE:FREQ=DAILY;BYHOUR=" + hours +
               ";BYMINUTE=" + minutes + ";BYSECOND=" + minutes + "\r\n"),
         "",
         {"repeats into more dates than can be expanded"},
         {}},
        {"2000 rules on one event",
         event("DTSTART:20261201T000000Z\r\n" + manyRules),
         "",
         {"repeats into more dates than can be expanded"},
         {}},
        {"a zone changing the clock every second since 1601",
         zone("SECONDLY") + inEvil,
         "2026-12-07 08:00 to 2026-12-07 08:00: Meeting\n",
         {},
         {4}},
        {"a zone changing it at every hour of a yearly day",
         zone("YEARLY;BYHOUR=1,2") + inEvil,
         "2026-12-07 08:00 to 2026-12-07 08:00: Meeting\n",
         {},
         {4}},
        {"one line of 16 MB",
         event("DTSTART:20261207T090000Z\r\nX-NOTES:" + std::string(16 << 20, 'x') + "\r\n"),
         "2026-12-07 10:00 to 2026-12-07 10:00: Meeting\n",
         {},
         {}},
    };
    for (const Case& c : cases) {
        PimDocument fresh(kClock);
        const CalendarImportResult result =
            importICalendarText(fresh, calendar(c.body), CalendarParts::Both);
        EXPECT_TRUE(result.status) << c.shape;
        EXPECT_EQ(dump(fresh), c.records) << c.shape;
        std::vector<std::string> skipped;
        for (const SkippedRecord& r : result.skipped)
            skipped.emplace_back(r.reason);
        EXPECT_EQ(skipped, c.skipped) << c.shape;
        std::vector<size_t> notes;
        for (const SkippedRecord& n : result.notes)
            notes.push_back(n.line);
        EXPECT_EQ(notes, c.noteLines) << c.shape;
    }
}

TEST_F(ICalImportTest, DatesAndTimesThatDoNotExistAreSkippedNotMoved) {
    const std::pair<std::string, const char*> cases[] = {
        {event("DTSTART:20260229T100000\r\n"), "its start is a date or time that does not exist"},
        {event("DTSTART;TZID=Europe/Berlin:20260229T100000\r\n"),
         "its start is a date or time that does not exist"},
        {event("DTSTART:20261307T100000Z\r\n"), "its start is a date or time that does not exist"},
        {event("DTSTART:20261207T100000Z\r\nDTEND:20261232T100000Z\r\n"),
         "its end is a date or time that does not exist"},
        {"BEGIN:VTODO\r\nSUMMARY:Call\r\nDUE:20260230T120000Z\r\nEND:VTODO\r\n",
         "its due date is a date or time that does not exist"},
    };
    for (const auto& [body, reason] : cases) {
        PimDocument fresh(kClock);
        const CalendarImportResult result =
            importICalendarText(fresh, calendar(body), CalendarParts::Both);
        EXPECT_EQ(dump(fresh), "") << body;
        ASSERT_EQ(result.skipped.size(), 1u) << body;
        EXPECT_EQ(std::string(result.skipped[0].reason).rfind(reason, 0), 0u)
            << body << ": " << result.skipped[0].reason;
    }
}

}  // namespace
