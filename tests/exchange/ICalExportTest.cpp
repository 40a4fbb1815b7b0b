#include <gtest/gtest.h>

#include <string>

#include "ExchangeTexts.h"
#include "exchange/ICalExport.h"
#include "exchange/IndependentReader.h"
#include "records/PimDocument.h"
#include "support/ProcessGuards.h"
#include "support/Records.h"
#include "support/ScratchDir.h"

// GCC 12 takes a literal appended to a long string for a read or copy out of bounds (its
// bug 105651).
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"

namespace {

// Records as the editors make them, with times that UTC cannot carry: one the clocks of
// Berlin skip, and one before 1970.
void fill(PimDocument& doc) {
    doc.addMany(std::vector<Appointment>{
        appointmentAt("Dentist, \"Dr. Who\"; room 5", at(2026, 12, 8, 9), at(2026, 12, 8, 9, 30),
                      15),
        appointmentAt("Night shift", at(2027, 3, 28, 2, 30), at(2027, 3, 28, 3, 30)),
        appointmentAt("Moon landing", at(1969, 7, 20, 20, 15), at(1969, 7, 20, 21)),
        appointmentAt("Late reminder", at(2026, 12, 9, 14), at(2026, 12, 9, 15), -10),
        appointmentAt("Stra\xC3\x9F"
                      "enfest mit einer sehr langen Beschreibung, die umbrochen wird",
                      at(2026, 12, 10, 18), at(2026, 12, 10, 23), 60),
    });
    doc.addMany(std::vector<Task>{
        taskDue("Wrap gifts", at(2026, 12, 24), Task::Medium),
        taskDue("Call the plumber", at(2026, 12, 7, 17, 45), Task::High),
        taskDue("Low one", at(2026, 12, 30), Task::Low),
        taskDue("Post cards", at(2026, 12, 1), Task::Done),
        taskDue("Done long ago", at(2026, 11, 1), Task::Done),
    });
    Task posted = *doc.tasks().find(4);
    posted.DoneDate = at(2026, 12, 2);
    doc.replace(posted);
}

class ICalExportTest : public ::testing::Test {
protected:
    void SetUp() override { fill(doc); }
    TzGuard zone{"Europe/Berlin"};
    PimDocument doc{kClock};
};

TEST_F(ICalExportTest, WritesEventsAndToDosWithTheirTimesAlarmsAndStates) {
    // The times and states are pinned by an independent reader below; here what it cannot
    // tell: the stamp, a skipped hour (both ends floating) and an alarm left off.
    int32_t records = 0;
    const std::string text = icalendarText(doc, CalendarParts::Both, &records);
    EXPECT_EQ(records, 10);
    EXPECT_NE(text.find("DTSTAMP:20261206T090000Z\r\nDTSTART:20261208T080000Z\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("DTSTART:20270328T023000\r\nDTEND:20270328T033000\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Night shift\r\nBEGIN:VALARM"), std::string::npos);

    // Exported twice unchanged, a record keeps its UID; changed, it gets another.
    const size_t uid = text.find("UID:appointment-1-");
    ASSERT_NE(uid, std::string::npos);
    const std::string firstUid = text.substr(uid, text.find("\r\n", uid) - uid);
    EXPECT_NE(icalendarText(doc, CalendarParts::Appointments).find(firstUid), std::string::npos);
    Appointment changed = *doc.appointments().find(1);
    changed.Description = "Dentist";
    doc.replace(changed);
    EXPECT_EQ(icalendarText(doc, CalendarParts::Appointments).find(firstUid), std::string::npos);

    const std::string tasksOnly = icalendarText(doc, CalendarParts::Tasks, &records);
    EXPECT_EQ(records, 5);
    EXPECT_EQ(tasksOnly.find("VEVENT"), std::string::npos);
}

TEST_F(ICalExportTest, AnIndependentReaderReadsWhatItWrites) {
    ScratchDir dir;
    const std::string file = dir.file("calendar.ics");
    const ExportResult written = exportICalendarFile(doc, file, CalendarParts::Both);
    ASSERT_TRUE(written.status);
    EXPECT_EQ(written.records, 10);
    EXPECT_EQ(readIndependently("dump_icalendar.py", file),
              fileBytes(QUILLMATE_TEST_DATA "/exchange/sample-calendar.dump.txt"));
    EXPECT_FALSE(
        exportICalendarFile(doc, dir.file("none/calendar.ics"), CalendarParts::Both).status);
}

TEST(ICalExportText, FoldsEscapesAndWritesTriggersAsCalendarsExpect) {
    TzGuard zone("UTC");
    const std::string words = "one two three four five six seven eight nine ten eleven twelve";
    struct Case {
        const char* what;
        std::string text;
        int alarmSeconds;  // before the start
        std::string expected;
    };
    const Case cases[] = {
        {"a long word starts the next line", std::string(70, 'x'), 0,
         "SUMMARY:\r\n " + std::string(70, 'x') + "\r\n"},
        {"cut after the last blank that fits", words + " thirteen", 0,
         "SUMMARY:" + words + " \r\n thirteen\r\n"},
        {"a word longer than a line: never cut inside a character",
         std::string(73, 'x') + "\xC3\xBC\xC3\xBC", 0,
         "SUMMARY:\r\n " + std::string(73, 'x') + "\r\n \xC3\xBC\xC3\xBC\r\n"},
        {"no empty continuation after a last blank", std::string(65, 'x') + " ", 0,
         "SUMMARY:" + std::string(65, 'x') + " \r\n"},
        {"escapes and line breaks", "a\\b\r\nc,d;e\rf\ng\bh", 0,
         "SUMMARY:a\\\\b\\nc\\,d\\;e\\nf\\ngh\r\n"},
        {"control characters left out, a tab kept",
         std::string("a\0b\x01"
                     "c\td\x7f",
                     8),
         0, "SUMMARY:abc\td\r\n"},
        {"minutes between hours and seconds", "m", 3605, "TRIGGER:-PT1H0M5S\r\n"},
        {"days as hours, after the start", "d", -(86400 + 3600 + 61), "TRIGGER:PT25H1M1S\r\n"},
        {"a week as hours", "w", 7 * 86400, "TRIGGER:-PT168H\r\n"},
        {"at the start", "s", 0, "TRIGGER:PT0S\r\n"},
    };
    for (const Case& c : cases) {
        PimDocument doc(kClock);
        Appointment a = appointmentAt(c.text, at(2026, 12, 8, 9), at(2026, 12, 8, 10));
        a.Alarm = c.expected.starts_with("TRIGGER");
        a.AlarmTime = a.StartTime - DateTimeSpan::fromParts(0, 0, 0, c.alarmSeconds);
        doc.add(a);
        const std::string text = icalendarText(doc, CalendarParts::Appointments);
        EXPECT_NE(text.find("\r\n" + c.expected), std::string::npos) << c.what << "\n---\n" << text;
    }
}

}  // namespace
