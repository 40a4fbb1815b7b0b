#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "ExchangeTexts.h"
#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "exchange/IndependentReader.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"
#include "support/ProcessGuards.h"
#include "support/Records.h"
#include "support/ScratchDir.h"

namespace {

// The two years both expansions are compared over.
const char* const kFirstDay = "2026-12-01";
const char* const kDayAfter = "2028-12-01";

// An appointment from `start` to `end` on the first day, holding `schedule`.
Appointment series(std::string description, DateTime start, DateTime end, Schedule schedule) {
    Appointment a = appointmentAt(std::move(description), start, end);
    a.schedule.set(std::move(schedule));
    return a;
}

Appointment withUid(Appointment a, const char* uid) {
    a.uid = uid;
    return a;
}

Schedule repeating(const char* rule) {
    Schedule s;
    s.rule = RecurrenceRule::parse(rule).value();
    return s;
}

// Every kind of series the windows make or an import brings, in local time of Berlin. The
// last start an UNTIL allows falls in winter, as the first does: the independent expander
// compares UNTIL at the UTC offset of the first start.
void fillWithSeries(PimDocument& doc) {
    Schedule exceptions = repeating("FREQ=WEEKLY;UNTIL=20270331;BYDAY=WE");
    exceptions.removed = {at(2027, 1, 20, 12), at(2027, 2, 3)};
    Schedule moved = repeating("FREQ=WEEKLY;COUNT=8");
    moved.changed = {{at(2027, 5, 18, 17), at(2027, 5, 19, 18), at(2027, 5, 19, 19, 30),
                      "Choir (moved)", false, 0}};
    Schedule conference = repeating("FREQ=YEARLY;UNTIL=20280914");
    conference.allDay = true;
    conference.lastDay = at(2027, 9, 16);
    Schedule zoned = repeating("FREQ=WEEKLY;UNTIL=20280308T090000");
    zoned.zone = "America/New_York";
    doc.addMany(std::vector<Appointment>{
        series("Team meeting", at(2026, 12, 7, 9), at(2026, 12, 7, 10),
               repeating("FREQ=WEEKLY;BYDAY=MO,TH")),
        series("Book club", at(2026, 12, 25, 19), at(2026, 12, 25, 21),
               repeating("FREQ=MONTHLY;UNTIL=20280225T190000;BYDAY=-1FR")),
        series("Leap day party", at(2024, 2, 29, 18), at(2024, 2, 29, 23),
               repeating("FREQ=YEARLY")),
        series("Physio", at(2027, 3, 22, 7, 30), at(2027, 3, 22, 8, 15),
               repeating("FREQ=DAILY;COUNT=10")),
        series("Lunch talk", at(2027, 1, 6, 12), at(2027, 1, 6, 13), exceptions),
        series("Choir", at(2027, 5, 4, 17), at(2027, 5, 4, 18, 30), moved),
        series("Conference", at(2027, 9, 14), at(2027, 9, 14, 23, 59), conference),
        // 09:00 in New York, which is 15:00 here but 14:00 while only America keeps
        // summer time.
        series("New York call", at(2027, 1, 6, 15), at(2027, 1, 6, 16), zoned),
    });
}

// The occurrences the model gives, as expand_icalendar.py prints them.
std::string modelOccurrences(const PimDocument& doc) {
    const auto day = [](const char* t) {
        return at(std::stoi(t), std::stoi(t + 5), std::stoi(t + 8));
    };
    std::vector<std::string> lines;
    for (const auto& [id, a] : doc.appointments()) {
        ExpansionBudget budget;
        for (const Occurrence& o : occurrencesStarting(a, day(kFirstDay), day(kDayAfter), budget))
            lines.push_back(o.start.format("%Y-%m-%dT%H:%M:%S") + " to " +
                            o.end.format("%Y-%m-%dT%H:%M:%S") + ": " + o.description());
    }
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string expandIndependently(const std::string& file) {
    return readIndependently("expand_icalendar.py", file, {kFirstDay, kDayAfter});
}

// The occurrences of what `from` imports, which is then exported to `to`.
std::string passOn(const std::string& from, const std::string& to) {
    PimDocument imported(kClock);
    EXPECT_TRUE(importICalendarFile(imported, from, CalendarParts::Appointments).status) << from;
    EXPECT_TRUE(exportICalendarFile(imported, to, CalendarParts::Appointments).status) << to;
    return modelOccurrences(imported);
}

class ICalSeriesExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        fillWithSeries(doc);
        expected = modelOccurrences(doc);
        ASSERT_TRUE(exportICalendarFile(doc, file, CalendarParts::Appointments).status);
    }

    TzGuard zone{"Europe/Berlin"};
    PimDocument doc{kClock};
    std::string expected;
    ScratchDir dir;
    const std::string file = dir.file("series.ics");
};

TEST_F(ICalSeriesExportTest, AnIndependentExpanderFindsTheOccurrencesTheModelGives) {
    ASSERT_GT(std::count(expected.begin(), expected.end(), '\n'), 200) << expected;
    EXPECT_EQ(expandIndependently(file), expected);

    // Each zone is defined once, before the events.
    const std::string text = fileBytes(file);
    EXPECT_EQ(text.find("BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"),
              text.rfind("BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"));
    EXPECT_LT(text.rfind("END:VTIMEZONE"), text.find("BEGIN:VEVENT"));
}

TEST_F(ICalSeriesExportTest, ReadBackTheSeriesKeepTheirOccurrences) {
    const std::string again = dir.file("again.ics");
    EXPECT_EQ(passOn(file, again), expected);
    EXPECT_EQ(expandIndependently(again), expected);
}

// The calendar files of other programs the tests read, expanded by the model after an
// import, and again after an export and a second import, as the independent expander
// expands the file itself.
TEST(ICalSeriesReadBack, EveryCalendarFileExpandsAsAnIndependentExpanderExpandsIt) {
    const TzGuard zone{"Europe/Berlin"};
    ScratchDir dir;
    for (const char* name : {"calendar-service.ics", "mail-invitation.ics"}) {
        const std::string original = std::string(QUILLMATE_TEST_DATA) + "/exchange/" + name;
        const std::string expected = expandIndependently(original);
        ASSERT_FALSE(expected.empty()) << name;
        EXPECT_EQ(passOn(original, dir.file(name)), expected) << name;
        EXPECT_EQ(passOn(dir.file(name), dir.file("again.ics")), expected) << name;
    }
}

// What a reader needs beyond the occurrences: each time in the form of the start, UNTIL
// included, as RFC readers require, and the zone named where the local zone has a name.
TEST(ICalSeriesExportText, WritesEveryTimeOfASeriesInTheFormOfItsStart) {
    Schedule weekly = repeating("FREQ=WEEKLY;UNTIL=20270705T090000");
    Schedule days = repeating("FREQ=YEARLY;UNTIL=20280913T220000Z");
    days.allDay = true;
    days.lastDay = at(2027, 9, 16);
    Schedule zoned = repeating("FREQ=WEEKLY;UNTIL=20270210");
    zoned.zone = "America/New_York";
    Schedule exceptions = repeating("FREQ=DAILY;BYHOUR=9,17");
    exceptions.added = {at(2027, 2, 1, 12)};
    exceptions.removed = {at(2027, 1, 5), at(2027, 1, 6, 17)};
    exceptions.changed = {
        {at(2027, 1, 6, 17), at(2027, 1, 6, 18), at(2027, 1, 6, 19), "gone"},
        {at(2027, 1, 7, 9), at(2027, 1, 7, 10), at(2027, 1, 7, 11), "later", true, 10}};
    Schedule once;
    once.lastDay = at(2027, 1, 6);
    struct Case {
        const char *what, *zone;
        Appointment appointment;
        const char* lines;  // split at '|', each with the line break before and after it
        const char* never = "never written";
    };
    const Appointment local = series("Weekly", at(2027, 1, 4, 9), at(2027, 1, 4, 10), weekly);
    const Case cases[] = {
        {"the local zone's wall time", "Europe/Berlin", local,
         "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin|DTSTART;TZID=Europe/Berlin:20270104T090000|"
         "RRULE:FREQ=WEEKLY;UNTIL=20270705T070000Z"},
        {"the zone a path names", ":/usr/share/zoneinfo/Europe/Berlin", local,
         "DTSTART;TZID=Europe/Berlin:20270104T090000"},
        {"floating without a zone name", "CET-1CEST,M3.5.0,M10.5.0/3", local,
         "DTSTART:20270104T090000|RRULE:FREQ=WEEKLY;UNTIL=20270705T090000", "VTIMEZONE"},
        {"UTC itself", "UTC", local,
         "DTSTART:20270104T090000Z|RRULE:FREQ=WEEKLY;UNTIL=20270705T090000Z", "VTIMEZONE"},
        {"whole days", "Europe/Berlin",
         series("Fair", at(2027, 9, 14), at(2027, 9, 14, 23, 59), days),
         "DTSTART;VALUE=DATE:20270914|DTEND;VALUE=DATE:20270917|RRULE:FREQ=YEARLY;UNTIL=20280914",
         "VTIMEZONE"},
        {"a zone of its own; a date UNTIL takes in its day", "Europe/Berlin",
         series("Call", at(2027, 1, 6, 15), at(2027, 1, 6, 16), zoned),
         "BEGIN:VTIMEZONE\r\nTZID:America/New_York|DTSTART;TZID=America/New_York:20270106T090000|"
         "RRULE:FREQ=WEEKLY;UNTIL=20270211T045959Z",
         "Europe/Berlin"},
        {"exceptions under the series' UID; a removed day takes each start of it", "Europe/Berlin",
         withUid(series("Twice", at(2027, 1, 4, 9), at(2027, 1, 4, 10), exceptions),
                 "abc,1@example.com"),
         "UID:abc\\,1@example.com\r\nDTSTAMP:20261206T090000Z\r\n"
         "DTSTART;TZID=Europe/Berlin:20270104T090000|RDATE;TZID=Europe/Berlin:20270201T120000|"
         "EXDATE;TZID=Europe/Berlin:20270105T090000|EXDATE;TZID=Europe/Berlin:20270105T170000|"
         "EXDATE;TZID=Europe/Berlin:20270106T170000|"
         "UID:abc\\,1@example.com\r\nDTSTAMP:20261206T090000Z\r\n"
         "RECURRENCE-ID;TZID=Europe/Berlin:20270107T090000\r\n"
         "DTSTART;TZID=Europe/Berlin:20270107T100000|"
         "SUMMARY:later\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT10M",
         "SUMMARY:gone"},
        {"once, without a zone: UTC, as an ordinary appointment", "Europe/Berlin",
         withUid(series("Trip", at(2027, 1, 4, 9), at(2027, 1, 4, 18), once), "once@example.com"),
         "UID:once@example.com|DTSTART:20270104T080000Z|DTEND:20270106T170000Z", "TZID"},
    };
    for (const Case& c : cases) {
        TzGuard zone(c.zone);
        PimDocument doc(kClock);
        doc.add(c.appointment);
        const std::string text = icalendarText(doc, CalendarParts::Appointments);
        std::stringstream lines(c.lines);
        for (std::string line; std::getline(lines, line, '|');)
            EXPECT_NE(text.find("\n" + line + "\r\n"), std::string::npos)
                << c.what << ": " << line << "\n---\n"
                << text;
        EXPECT_EQ(text.find(c.never), std::string::npos) << c.what << "\n---\n" << text;
    }
}

TEST(ICalSeriesExportText, AnAppointmentWhoseAlarmRangIsWrittenAsAnOrdinaryOne) {
    TzGuard zone("Europe/Berlin");
    // A start kept on another day than the one it is listed on, as old files may hold.
    Appointment a = appointmentAt("Dentist", at(2026, 12, 8, 9), at(2026, 12, 8, 10), 15);
    a.DueDate = at(2026, 12, 1);
    PimDocument plain(kClock), rung(kClock);
    plain.add(a);
    a.schedule.edit().remindedUntil = at(2026, 12, 8, 8, 45);
    rung.add(a);
    EXPECT_EQ(icalendarText(rung, CalendarParts::Appointments),
              icalendarText(plain, CalendarParts::Appointments));
}

}  // namespace
