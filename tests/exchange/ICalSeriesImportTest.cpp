#include "ICalImportFixture.h"
#include "support/FixedLocale.h"

namespace {

// An event at 10:00 on Monday 7 December 2026 (local time) with these lines besides.
std::string monday(const std::string& lines, const char* summary = "Meeting") {
    return event("DTSTART:20261207T100000\r\nDTEND:20261207T110000\r\n" + lines, summary);
}

// The one appointment a calendar of `body` adds.
Appointment imported(const std::string& body) {
    PimDocument fresh(kClock);
    EXPECT_TRUE(importICalendarText(fresh, calendar(body), CalendarParts::Both).status);
    EXPECT_EQ(fresh.appointments().size(), 1u);
    return fresh.appointments().empty() ? Appointment() : fresh.appointments().begin()->second;
}

// The local starts of the occurrences on the days from `first` to `last`.
std::string startsOn(const Appointment& a, DateTime first, DateTime last) {
    std::string out;
    for (const Occurrence& o : occurrencesOnDays(a, first, last))
        out += (out.empty() ? "" : ", ") + when(o.start);
    return out;
}

// The rule is kept as it came (in its own order of parts); its occurrences are the series'.
TEST_F(ICalImportTest, KeepsEachRuleAsItCameAndLeavesItsOccurrencesToTheSeries) {
    const struct {
        const char *rule, *kept, *starts;
    } rows[] = {
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;COUNT=3", "FREQ=WEEKLY;COUNT=3;INTERVAL=2;BYDAY=MO,WE",
         "2026-12-07 10:00, 2026-12-09 10:00, 2026-12-21 10:00"},
        // The last weekday of a month, until a UTC time.
        {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;UNTIL=20270301T000000Z",
         "FREQ=MONTHLY;UNTIL=20270301T000000Z;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
         "2026-12-07 10:00, 2026-12-31 10:00, 2027-01-29 10:00, 2027-02-26 10:00"},
        {"FREQ=MONTHLY;BYMONTHDAY=31;UNTIL=20270401", "FREQ=MONTHLY;UNTIL=20270401;BYMONTHDAY=31",
         "2026-12-07 10:00, 2026-12-31 10:00, 2027-01-31 10:00, 2027-03-31 10:00"},
        {"FREQ=DAILY;BYHOUR=9,17;BYMINUTE=30;UNTIL=20261208T235959",
         "FREQ=DAILY;UNTIL=20261208T235959;BYMINUTE=30;BYHOUR=9,17",
         "2026-12-07 10:00, 2026-12-07 17:30, 2026-12-08 09:30, 2026-12-08 17:30"},
        {"FREQ=YEARLY;BYWEEKNO=1;BYDAY=MO;WKST=SU", "FREQ=YEARLY;BYDAY=MO;BYWEEKNO=1;WKST=SU",
         "2026-12-07 10:00, 2027-01-04 10:00, 2028-01-03 10:00"},
    };
    for (const auto& row : rows) {
        const Appointment a = imported(monday("RRULE:" + std::string(row.rule) + "\r\n"));
        ASSERT_TRUE(a.schedule.get().rule) << row.rule;
        EXPECT_EQ(a.schedule.get().rule->text(), row.kept);
        EXPECT_EQ(startsOn(a, DateTime::fromFields(2026, 12, 1), DateTime::fromFields(2028, 12, 6)),
                  row.starts)
            << row.rule;
    }
}

TEST_F(ICalImportTest, ReadsExtraStartsOfEveryKindIntoTheSeriesClock) {
    const Appointment a = imported(
        "BEGIN:VTIMEZONE\r\nTZID:Office\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
        "TZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n" +
        event("DTSTART;TZID=America/New_York:20261207T090000\r\n"
              "DTEND;TZID=America/New_York:20261207T100000\r\n"
              "RDATE:20261208T150000Z\r\nRDATE;TZID=Office:20261209T180000\r\n"
              "RDATE;TZID=America/New_York:20261210T090000,20261211T090000\r\n"
              "RDATE;VALUE=DATE:20261212\r\n"
              "RDATE;VALUE=PERIOD:20261213T140000Z/20261213T170000Z,20261214T140000Z/PT1H\r\n"));
    const Schedule& s = a.schedule.get();
    std::string added, changed;
    for (const DateTime t : s.added)
        added += when(t) + ", ";
    for (const ChangedOccurrence& c : s.changed)
        changed += when(c.replaces) + " until " + when(c.end);
    EXPECT_EQ(s.zone, "America/New_York");
    EXPECT_EQ(added,
              "2026-12-08 10:00, 2026-12-09 10:00, 2026-12-10 09:00, 2026-12-11 09:00, "
              "2026-12-12 09:00, 2026-12-13 09:00, 2026-12-14 09:00, ")
        << "UTC, another zone, the series' own, a date at the time of day of the first start, "
           "periods";
    EXPECT_EQ(changed, "2026-12-13 09:00 until 2026-12-13 12:00") << "a period of its own length";
}

TEST_F(ICalImportTest, ExclusionsAndEndsInAnyFormMeetTheStartsOfTheSeries) {
    const std::string berlin =
        "DTSTART;TZID=Europe/Berlin:20261207T100000\r\nRRULE:FREQ=DAILY;COUNT=5\r\n";
    const std::string fromUtc = "DTSTART:20261207T090000Z\r\nRRULE:FREQ=DAILY\r\n";
    const auto occurrencesOf = [](const std::string& body, int year, int month, int day) {
        const Appointment a = imported(event(body));
        const DateTime first = DateTime::fromFields(year, month, day);
        return startsOn(a, first, first + DateTimeSpan(4.0));
    };
    struct Row {
        const char* label;
        std::string body;
        int year, month, day;
        std::string expected;
    } rows[] = {
        {"a zoned series, excluded in UTC, in another zone, floating and by date",
         berlin + "EXDATE:20261208T090000Z\r\nEXDATE;TZID=America/New_York:20261209T040000\r\n"
                  "EXDATE:20261210T100000\r\nEXDATE;VALUE=DATE:20261211\r\n",
         2026, 12, 7, "2026-12-07 10:00"},
        {"a floating series excluded in UTC",
         "DTSTART:20261207T100000\r\nRRULE:FREQ=DAILY;COUNT=3\r\nEXDATE:20261208T090000Z\r\n", 2026,
         12, 7, "2026-12-07 10:00, 2026-12-09 10:00"},
        // In local time, every day at 10:00: the exclusion names the start either at its
        // instant (as a program writing local times in UTC means it) or as far from the
        // first start as the file's own UTC clock counts (RFC 5545's reading).
        {"a UTC series, in local time, excluded in summer both ways",
         fromUtc + "EXDATE:20270707T090000Z\r\nEXDATE:20270709T080000Z\r\n", 2027, 7, 6,
         "2027-07-06 10:00, 2027-07-08 10:00, 2027-07-10 10:00"},
        {"a UTC series whose end in UTC lies after the clocks went back",
         "DTSTART:20261025T000000Z\r\nRRULE:FREQ=DAILY;UNTIL=20261027T000000Z\r\n", 2026, 10, 25,
         "2026-10-25 02:00, 2026-10-26 02:00, 2026-10-27 02:00"},
        {"an all-day series excluded by a time",
         "DTSTART;VALUE=DATE:20261207\r\nRRULE:FREQ=DAILY;COUNT=3\r\nEXDATE:20261208T120000Z\r\n",
         2026, 12, 7, "2026-12-07 00:00, 2026-12-09 00:00"},
        {"a timed series with extra and excluded dates",
         "DTSTART:20261207T100000\r\nRRULE:FREQ=WEEKLY;COUNT=2\r\nRDATE;VALUE=DATE:20261209\r\n"
         "EXDATE;VALUE=DATE:20261214\r\n",
         2026, 12, 7, "2026-12-07 10:00, 2026-12-09 10:00"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(occurrencesOf(row.body, row.year, row.month, row.day), row.expected) << row.label;
}

TEST_F(ICalImportTest, OverridesChangeTheirOccurrencesAlone) {
    const std::string overrides =
        event(
            "RECURRENCE-ID:20261208T100000\r\nDTSTART:20261210T150000\r\n"
            "DTEND:20261210T153000\r\n",
            "Meeting") +
        event("RECURRENCE-ID:20261209T090000Z\r\nDTSTART:20261209T100000\r\nSTATUS:CANCELLED\r\n",
              "Meeting");
    // The overrides come before their series, as some programs write them.
    expectRows({
        {"moved to another day, and one cancelled",
         overrides + monday("RRULE:FREQ=DAILY;COUNT=4\r\n"),
         "2026-12-07 10:00 to 2026-12-07 11:00: Meeting {FREQ=DAILY;COUNT=4}\n"
         "  2026-12-07 10:00 to 2026-12-07 11:00\n  2026-12-10 10:00 to 2026-12-10 11:00\n"
         "  2026-12-10 15:00 to 2026-12-10 15:30: Meeting\n"},
    });
}

TEST_F(ICalImportTest, AnOverrideOfAllLaterOccurrencesSplitsTheSeries) {
    const auto later = [](const std::string& lines) {
        return "BEGIN:VEVENT\r\nUID:Meeting\r\nSUMMARY:Later\r\nRECURRENCE-ID;RANGE=THISANDFUTURE" +
               lines + "END:VEVENT\r\n";
    };
    const std::string berlin = ";TZID=Europe/Berlin:";
    const std::string zoned =
        event("DTSTART" + berlin + "20261207T100000\r\nDTEND" + berlin + "20261207T110000\r\n" +
              "RRULE:FREQ=WEEKLY;COUNT=5\r\nEXDATE" + berlin + "20261228T100000\r\n") +
        later(berlin + "20261221T100000\r\nDTSTART" + berlin + "20261221T120000\r\nDTEND" + berlin +
              "20261221T123000\r\n");
    expectRows({
        {"a zoned series, and a start removed after the split", zoned,
         "2026-12-07 10:00 to 2026-12-07 11:00: Meeting "
         "{Europe/Berlin FREQ=WEEKLY;UNTIL=20261221T085959Z}\n"
         "  2026-12-07 10:00 to 2026-12-07 11:00\n  2026-12-14 10:00 to 2026-12-14 11:00\n"
         "2026-12-21 12:00 to 2026-12-21 12:30: Later {Europe/Berlin FREQ=WEEKLY;COUNT=3}\n"
         "  2026-12-21 12:00 to 2026-12-21 12:30\n  2027-01-04 12:00 to 2027-01-04 12:30\n"},
        {"a counted series begun off its days",
         event("DTSTART:20261208T100000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=4\r\n") +
             later(":20261221T100000\r\nDTSTART:20261221T110000\r\n"),
         "2026-12-08 10:00 to 2026-12-08 10:00: Meeting "
         "{FREQ=WEEKLY;UNTIL=20261221T095959;BYDAY=MO}\n"
         "  2026-12-08 10:00 to 2026-12-08 10:00\n  2026-12-14 10:00 to 2026-12-14 10:00\n"
         "2026-12-21 11:00 to 2026-12-21 11:00: Later {FREQ=WEEKLY;COUNT=2;BYDAY=MO}\n"
         "  2026-12-21 11:00 to 2026-12-21 11:00\n  2026-12-28 11:00 to 2026-12-28 11:00\n"},
    });
    PimDocument fresh(kClock);
    ASSERT_TRUE(importICalendarText(fresh, calendar(zoned), CalendarParts::Both).status);
    EXPECT_EQ(fresh.appointments().find(2)->uid, "Meeting-from-20261221T100000");
}

TEST_F(ICalImportTest, AnOverrideWithoutItsSeriesIsASingleAppointment) {
    PimDocument fresh(kClock);
    const CalendarImportResult result = importICalendarText(
        fresh,
        calendar(event("RECURRENCE-ID:20261207T100000\r\nDTSTART:20261207T120000\r\n", "Lone")),
        CalendarParts::Both);
    EXPECT_EQ(dump(fresh), "2026-12-07 12:00 to 2026-12-07 12:00: Lone\n");
    EXPECT_EQ(linesOf(result.notes), std::vector<size_t>{4});
    EXPECT_EQ(result.replacingOne, std::vector<int32_t>{1});
}

TEST_F(ICalImportTest, ImportingAgainAddsNothing) {
    const std::string text =
        calendar(monday("RRULE:FREQ=WEEKLY\r\n") +
                 "BEGIN:VEVENT\r\nSUMMARY:No UID\r\nDTSTART:20261208T100000\r\nRRULE:FREQ=DAILY\r\n"
                 "END:VEVENT\r\n" +
                 event("DTSTART;VALUE=DATE:20261224\r\nDTEND;VALUE=DATE:20261227\r\n", "Visit") +
                 event("DTSTART:20261209T150000Z\r\n", "Call"));
    const auto said = [&] {
        const CalendarImportResult result = importICalendarText(doc, text, CalendarParts::Both);
        return reportImport(calendarTally(result, CalendarParts::Appointments, FixedLocale(), ""))
            .text;
    };
    EXPECT_EQ(said(),
              "4 appointments added to current database, 0 entries skipped; 2 of the "
              "appointments repeat.");
    EXPECT_EQ(said(),
              "0 appointments added to current database, 4 entries skipped; 4 of them were "
              "already in the document.");
    EXPECT_EQ(doc.appointments().size(), 4u);
}

// Where the clocks skip or repeat a time: the occurrences on the day after a skipped start
// keep their hour, and a repeated time is its first instant.
TEST(ICalImportClockChangeTest, OccurrencesLandOnTheHourTheirZoneSays) {
    struct Row {
        const char* zone;  // the local time zone
        std::string lines;
        std::string expected;  // the local starts of the first occurrences
    } rows[] = {
        {"America/Havana",
         "DTSTART;TZID=America/Havana:20270313T001500\r\nRRULE:FREQ=DAILY;COUNT=3\r\n",
         "2027-03-13 00:15, 2027-03-14 01:15, 2027-03-15 00:15"},
        {"UTC", "DTSTART;TZID=America/New_York:20271106T013000\r\nRRULE:FREQ=DAILY;COUNT=3\r\n",
         "2027-11-06 05:30, 2027-11-07 05:30, 2027-11-08 06:30"},
        {"America/Havana", "DTSTART;TZID=America/Havana:20270314T001500\r\n", "2027-03-14 01:15"},
        {"UTC", "DTSTART;TZID=America/New_York:20271107T013000\r\n", "2027-11-07 05:30"},
    };
    for (const Row& row : rows) {
        const TzGuard zone(row.zone);
        EXPECT_EQ(startsOn(imported(event(row.lines)), DateTime::fromFields(2027, 1, 1),
                           DateTime::fromFields(2028, 1, 1)),
                  row.expected)
            << row.lines;
    }
}

TEST_F(ICalImportTest, ARuleEndingBeforeItsStartMakesNoOccurrence) {
    const std::string until = "RRULE:FREQ=DAILY;UNTIL=20261201T000000Z\r\n";
    expectRows({
        {"nothing else", monday(until),
         "skipped 4: its repeat rule ends (UNTIL) before its first start, so the rule makes no "
         "occurrence\n"},
        {"an extra start", monday(until + "RDATE:20261209T100000\r\n"),
         "2026-12-07 10:00 to 2026-12-07 11:00: Meeting {FREQ=DAILY;UNTIL=20261201T000000Z}\n"
         "  2026-12-09 10:00 to 2026-12-09 11:00\nnote 4\n"},
    });
}

}  // namespace
