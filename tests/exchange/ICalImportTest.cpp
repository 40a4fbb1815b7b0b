#include <future>

#include "ICalImportFixture.h"
#include "exchange/LibicalTurn.h"
#include "support/EveryAllocationFailure.h"
#include "support/FixedLocale.h"
#include "support/RecordingJournal.h"

namespace {

std::string meeting(const std::string& span) {
    return span + ": Meeting\n";
}

// Calendars as services, mail programs and task lists write them; what they add must match
// the file's ".expected.txt".
TEST_F(ICalImportTest, ImportsWhatCalendarProgramsWrite) {
    struct Case {
        const char* file;
        int appointments, tasks, series;
        std::vector<size_t> skippedLines;
    };
    const Case cases[] = {{"calendar-service.ics", 3, 0, 2, {63, 78}},
                          {"mail-invitation.ics", 3, 0, 0, {}},
                          {"task-list.ics", 0, 5, 0, {41, 47}}};
    const std::string data = QUILLMATE_TEST_DATA "/exchange/";
    for (const Case& c : cases) {
        PimDocument fresh(kClock);
        const CalendarImportResult r =
            importICalendarFile(fresh, data + c.file, CalendarParts::Both);
        EXPECT_TRUE(r.status) << r.status.message();
        EXPECT_EQ(std::tuple(r.appointments, r.tasks, r.series, linesOf(r.skipped)),
                  std::tuple(c.appointments, c.tasks, c.series, c.skippedLines))
            << c.file;
        EXPECT_EQ(dump(fresh), fileBytes(data + c.file + ".expected.txt")) << c.file;
    }
}

TEST_F(ICalImportTest, TakesEveryKindOfTimeAndAlarmToLocalTime) {
    const std::string start = "DTSTART:20261207T150000Z\r\nDTEND:20261207T160000Z\r\n";
    const auto alarmed = [](const char* at) {
        return meeting("2026-12-07 16:00 to 2026-12-07 17:00 alarm " + std::string(at));
    };
    expectRows({
        {"a duration in summer", event("DTSTART:20260707T150000Z\r\nDURATION:PT2H\r\n"),
         meeting("2026-07-07 17:00 to 2026-07-07 19:00")},
        {"two named zones",
         event("DTSTART;TZID=Asia/Tokyo:20261207T090000\r\n"
               "DTEND;TZID=Europe/London:20261207T020000\r\n"),
         meeting("2026-12-07 01:00 to 2026-12-07 03:00")},
        {"an unknown zone", event("DTSTART;TZID=Nowhere/Special:20261207T090000\r\n"),
         meeting("2026-12-07 09:00 to 2026-12-07 09:00")},
        {"a day", event("DTSTART;VALUE=DATE:20261207\r\n"),
         "2026-12-07 00:00 to 2026-12-07 23:59: Meeting {all day}\n"},
        {"days", event("DTSTART;VALUE=DATE:20261230\r\nDTEND;VALUE=DATE:20270102\r\n"),
         "2026-12-30 00:00 to 2027-01-01 23:59: Meeting {all day to 2027-01-01}\n"},
        {"a night", event("DTSTART:20261207T220000\r\nDTEND:20261208T010000\r\n"),
         "2026-12-07 22:00 to 2026-12-08 01:00: Meeting {to 2026-12-08}\n"},
        {"until midnight", event("DTSTART:20261208T220000\r\nDTEND:20261209T000000\r\n"),
         "2026-12-08 22:00 to 2026-12-09 00:00: Meeting {to 2026-12-09}\n"},
        {"an end before the start", event("DTSTART:20261207T150000Z\r\nDTEND:20261207T140000Z\r\n"),
         meeting("2026-12-07 16:00 to 2026-12-07 16:00")},
        // The first alarm, at the distance its trigger gives.
        {"an alarm by duration", event(start + alarm("TRIGGER:-PT15M")),
         alarmed("2026-12-07 15:45")},
        {"an alarm at a moment", event(start + alarm("TRIGGER;VALUE=DATE-TIME:20261207T120000Z")),
         alarmed("2026-12-07 13:00")},
        {"the first of two alarms", event(start + alarm("TRIGGER:-P1D") + alarm("TRIGGER:-PT5M")),
         alarmed("2026-12-06 16:00")},
        // Seconds as RFC 5545 writes them, and as a console calendar does, without the T.
        {"an alarm in seconds", event(start + alarm("TRIGGER:-PT300S")),
         alarmed("2026-12-07 15:55")},
        {"an alarm in seconds without T", event(start + alarm("TRIGGER:-P300S")),
         alarmed("2026-12-07 15:55")},
        {"hours and minutes without T", event(start + alarm("TRIGGER:-P1H30M")),
         alarmed("2026-12-07 14:30")},
        // An alarm that cannot be read is named; the next one that can is taken.
        {"an alarm that cannot be read", event(start + alarm("TRIGGER:soon")),
         meeting("2026-12-07 16:00 to 2026-12-07 17:00") + "note 4\n"},
        {"one that cannot be read, then one that can",
         event(start + alarm("TRIGGER:-P2X") + alarm("TRIGGER:-PT10M")),
         alarmed("2026-12-07 15:50") + "note 4\n"},
    });
}

// Files in the shapes other programs write that were read wrongly before.
TEST_F(ICalImportTest, ReadsWhatOtherCalendarProgramsGetWrong) {
    // New York's rules up to 2006 only, as calendars written then carry them.
    const std::string oldNewYork =
        "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
        "BEGIN:STANDARD\r\nDTSTART:19671029T020000\r\n"
        "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10;UNTIL=20061029T060000Z\r\n"
        "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:19870405T020000\r\n"
        "RRULE:FREQ=YEARLY;BYDAY=1SU;BYMONTH=4;UNTIL=20060402T070000Z\r\n"
        "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
    // Zones whose first onset is after the events.
    auto fromYear2030 = [](const char* name, const char* offset) {
        return std::string("BEGIN:VTIMEZONE\r\nTZID:") + name +
               "\r\nBEGIN:STANDARD\r\nDTSTART:20300101T000000\r\nTZOFFSETFROM:" + offset +
               "\r\nTZOFFSETTO:" + offset + "\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    };
    const std::string vendor = "TZID=/vendor.example/20070129_1/America/New_York:";
    const std::string at9 = "DTSTART:20261207T090000Z\r\n";
    const std::string dec7 = meeting("2026-12-07 10:00 to 2026-12-07 10:00");
    expectRows({
        {"a zone name with a vendor's prefix and no VTIMEZONE",
         event("DTSTART;" + vendor + "20261207T090000\r\nDTEND;" + vendor + "20261207T100000\r\n"),
         meeting("2026-12-07 15:00 to 2026-12-07 16:00")},
        {"a VTIMEZONE whose rules ended years before the event",
         oldNewYork + event("DTSTART;TZID=America/New_York:20260707T090000\r\n"
                            "DTEND;TZID=America/New_York:20260707T100000\r\n"),
         meeting("2026-07-07 15:00 to 2026-07-07 16:00")},
        {"a VTIMEZONE whose first onset is after the event: the system's zone",
         fromYear2030("Europe/London", "+0000") +
             event("DTSTART;TZID=Europe/London:20260707T090000\r\n"),
         meeting("2026-07-07 10:00 to 2026-07-07 10:00")},
        {"the same for a zone the system does not know: the file's own",
         fromYear2030("Office Time", "+0300") +
             event("DTSTART;TZID=Office Time:20260707T090000\r\n"),
         meeting("2026-07-07 08:00 to 2026-07-07 08:00")},
        {"a calendar nested in another, and a journal entry",
         event(at9, "Outer") + calendar(event("DTSTART:20261208T090000Z\r\n", "Inner")) +
             "BEGIN:VJOURNAL\r\nSUMMARY:Diary\r\nEND:VJOURNAL\r\n",
         "2026-12-07 10:00 to 2026-12-07 10:00: Outer\n"
         "2026-12-08 10:00 to 2026-12-08 10:00: Inner\nskipped 18: a journal entry (VJOURNAL), "
         "which has no record here\n"},
        {"a repeat rule with an escaped semicolon", event(at9 + "RRULE:FREQ=WEEKLY\\;BYDAY=MO\r\n"),
         dec7 + "note 4\n"},
        {"a summary folded inside a character, and one in Windows-1252",
         event(at9, "Caf\xC3\r\n \xA9") + event("DTSTART:20261208T090000Z\r\n",
                                                "Stra\xDF"
                                                "e \xC2\xB3"),
         "2026-12-07 10:00 to 2026-12-07 10:00: Caf\xC3\xA9\n"
         "2026-12-08 10:00 to 2026-12-08 10:00: Stra\xC3\x9F"
         "e \xC3\x82\xC2\xB3\n"},
        {"a control character in a summary, which libical would not write back",
         event(at9, "Choir\x08 practice"),
         "2026-12-07 10:00 to 2026-12-07 10:00: Choir practice\n"},
        {"a backslash before a character of two bytes, which libical splits",
         event(at9, "Caf\\\xC3\xA9"), "2026-12-07 10:00 to 2026-12-07 10:00: Caf \xC2\xA9\n"},
        {"two equal appointments of the document the file came from", event(at9) + event(at9),
         dec7 + dec7},
    });
    EXPECT_EQ(outcome(event(at9) +
                      "BEGIN:VTODO\r\nSUMMARY:Call\r\nDUE:20261209T120000Z\r\nEND:VTODO\r\n"),
              dec7 + "task due 2026-12-09 13:00 High: Call\nnote 1\n")
        << "events and to-dos without a calendar around them";
}

TEST_F(ICalImportTest, ReadsToDosAndLeavesOutWhatIsNotAskedFor) {
    const std::string text = calendar(
        "BEGIN:VTODO\r\nSUMMARY:a\r\nPRIORITY:4\r\nDUE:20261207T150000Z\r\nEND:VTODO\r\n"
        "BEGIN:VTODO\r\nSUMMARY:b\r\nPRIORITY:6\r\nDTSTART;VALUE=DATE:20261208\r\n"
        "DURATION:P2D\r\nEND:VTODO\r\n"
        "BEGIN:VTODO\r\nSUMMARY:c\r\nPRIORITY:0\r\nSTATUS:COMPLETED\r\nEND:VTODO\r\n" +
        event("DTSTART:20261207T150000Z\r\n"));
    EXPECT_EQ(outcome(text, CalendarParts::Tasks),
              "task due 2026-12-07 16:00 High: a\ntask due 2026-12-10 00:00 Low: b\n"
              "task due 2026-12-06 00:00 Done: c\n");
    EXPECT_EQ(outcome(text, CalendarParts::Appointments),
              meeting("2026-12-07 16:00 to 2026-12-07 16:00"));
}

TEST_F(ICalImportTest, AddsAppointmentsOnceAndEverythingAsOneChange) {
    RecordingJournal journal;
    doc.setJournal(&journal);
    const std::string text = fileBytes(QUILLMATE_TEST_DATA "/exchange/calendar-service.ics") +
                             fileBytes(QUILLMATE_TEST_DATA "/exchange/task-list.ics");
    const CalendarImportResult first = importICalendarText(doc, text, CalendarParts::Both);
    EXPECT_EQ(std::pair(first.appointments, first.tasks), std::pair(3, 5))
        << "two calendars in one file";
    EXPECT_EQ(journal.count, 1);

    // Undone, the import takes everything back as one change.
    doc.apply(std::move(*journal.last));
    EXPECT_EQ(std::pair(doc.appointments().size(), doc.tasks().size()), std::pair(0ul, 0ul));
}

TEST_F(ICalImportTest, TextThatIsNoCalendarChangesNothing) {
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "BEGIN:VEVENT\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nEND:VCARD\r\n",
         "no calendar in the file (no BEGIN:VCALENDAR line)"},
        {calendar(deep), "11: components nested too deep for a calendar"},
    };
    for (const auto& [text, message] : cases) {
        const Status status = importICalendarText(doc, text, CalendarParts::Both).status;
        EXPECT_EQ(status.kind(), FailureKind::Content);
        EXPECT_EQ((status.line() ? std::to_string(status.line()) + ": " : "") + status.reason(),
                  message);
    }
    EXPECT_TRUE(importICalendarText(doc, " \r\n", CalendarParts::Both).status);
    EXPECT_FALSE(importICalendarFile(doc, "/nonexistent/x.ics", CalendarParts::Both).status);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(ICalImportTest, RunningOutOfMemoryAnywhereAddsNothingAndSaysSo) {
    const std::string bytes = fileBytes(QUILLMATE_TEST_DATA "/exchange/calendar-service.ics");
    expectEveryAllocationFailureReported(
        [&] { return importICalendarText(doc, bytes, CalendarParts::Both).status; },
        "not enough memory to import it", [&] { return doc.appointments().empty(); });
    EXPECT_EQ(doc.appointments().size(), 3u);
}

// Calendars made to cost minutes and gigabytes, or naming dates that do not exist: each is
// read at once, and what it could not take is listed with its reason.
TEST_F(ICalImportTest, HostileAndImpossibleEntriesAreSkippedWithTheirReasons) {
    std::string manyRules;
    for (int i = 0; i < 2000; ++i)
        manyRules += "RRULE:FREQ=YEARLY;BYMONTH=" + std::to_string(1 + i % 12) + "\r\n";
    const auto zone = [](const char* frequency) {
        return "BEGIN:VTIMEZONE\r\nTZID:Evil\r\nBEGIN:STANDARD\r\nDTSTART:16010101T000000\r\nRRULE:"
               "FREQ=" +
               std::string(frequency) +
               "\r\nTZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    };
    // Rules that would look at every second, hour or year for a date that never comes are
    // stored as they are: nothing is expanded to read them.
    const auto since1970 = [](const char* rule) {
        return event(std::string("DTSTART:19700101T000000\r\nRRULE:") + rule + "\r\n");
    };
    const auto stored = [](const char* rule) {
        return "1970-01-01 00:00 to 1970-01-01 00:00: Meeting {" + std::string(rule) + "}\n";
    };
    const std::string inEvil = "2026-12-07 08:00 to 2026-12-07 08:00: Meeting\nnote 4\n";
    const std::string notThere = "is a date or time that does not exist";
    expectRows({
        {"every second of a day that never comes",
         since1970("FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=31"),
         stored("FREQ=SECONDLY;BYMONTHDAY=31;BYMONTH=2")},
        {"a 41st Sunday", since1970("FREQ=YEARLY;BYMONTH=3;BYDAY=41SU"),
         stored("FREQ=YEARLY;BYDAY=41SU;BYMONTH=3")},
        {"2000 rules on one event", event("DTSTART:20261201T100000\r\n" + manyRules),
         "2026-12-01 10:00 to 2026-12-01 10:00: Meeting {FREQ=YEARLY;BYMONTH=1}\n"
         "  2026-12-01 10:00 to 2026-12-01 10:00\n  2027-01-01 10:00 to 2027-01-01 10:00\n"
         "  2028-01-01 10:00 to 2028-01-01 10:00\nnote 4\n"},
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
}

// The work an import's rules cause is bounded: splitting a series counted in seconds since
// 1970, and reading thousands of exclusions each way, end at once.
TEST_F(ICalImportTest, RulesThatWouldRunForYearsCostNoMoreThanTheirBudget) {
    std::string exclusions;
    for (int day = 1; day <= 28; ++day) {
        for (int hour = 0; hour < 24; ++hour) {
            char line[64];
            std::snprintf(line, sizeof line, "EXDATE:202707%02dT%02d3000Z\r\n", day, hour);
            exclusions += line;
        }
    }
    const std::string text = calendar(
        event("DTSTART:19700101T000000Z\r\nRRULE:FREQ=SECONDLY;COUNT=2000000000\r\n") +
        event(
            "RECURRENCE-ID;RANGE=THISANDFUTURE:20261207T000000Z\r\nDTSTART:20261207T000001Z\r\n") +
        event("DTSTART:20261207T093000Z\r\nRRULE:FREQ=YEARLY;BYMONTH=7;BYDAY=MO,TU,WE,TH,FR,SA,SU;"
              "BYHOUR=10\r\n" +
                  exclusions,
              "Yearly"));
    const CalendarImportResult result = importICalendarText(doc, text, CalendarParts::Both);
    EXPECT_EQ(std::pair(result.appointments, result.series), std::pair(3, 3));
}

// libical's error states are the whole process's: an import in the window waits while a
// sync worker has them, instead of changing them under it.
TEST_F(ICalImportTest, AnImportWaitsForLibicalsTurn) {
    auto turn = libicalTurn();
    auto import = std::async(std::launch::async, [] {
        return outcome(calendar(event("DTSTART:20261207T090000Z\r\n")));
    });
    EXPECT_EQ(import.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    turn.unlock();
    EXPECT_EQ(import.get(), meeting("2026-12-07 10:00 to 2026-12-07 10:00"));
}

}  // namespace
