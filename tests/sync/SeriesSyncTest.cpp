#include <gtest/gtest.h>

#include "support/ProcessGuards.h"
#include "support/Records.h"
#include "support/SeriesRecords.h"
#include "sync/SyncHarness.h"

namespace {

// A weekly series of the phone's, with a property only the phone knows.
std::string weekly(const std::string& more = "") {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VEVENT\r\n"
           "UID:standup\r\nDTSTAMP:20261201T100000Z\r\nDTSTART:20261207T090000\r\n"
           "DTEND:20261207T091500\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\nSUMMARY:Standup\r\n"
           "X-PHONE-COLOUR:teal\r\nEND:VEVENT\r\n" +
           more + "END:VCALENDAR\r\n";
}

size_t count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

DateTime at(int day, int hour, int minute = 0) {
    return DateTime::fromFields(2026, 12, day, hour, minute);
}

struct SeriesHarness : SyncHarness {
    SeriesHarness() { codec = &calendar; }
    const Appointment& only() const { return document.appointments().begin()->second; }
    void editSchedule(const std::function<void(Schedule&)>& change) {
        Appointment series = only();
        change(series.schedule.edit());
        document.replace(series);
    }
};

TEST(SeriesSyncTest, TheServersSeriesIsOneRecordAndOurExceptionsGoIntoItsResource) {
    const TzGuard zone("Europe/Berlin");
    SeriesHarness h;
    const std::string href = kItems + "standup.ics";
    h.server.store(href, weekly());
    ASSERT_TRUE(h.sync());
    ASSERT_EQ(h.document.appointments().size(), 1u);
    ASSERT_TRUE(h.only().schedule.get().rule.has_value());
    EXPECT_EQ(h.only().schedule.get().rule->count, 4);

    // One occurrence moved to the next day, another deleted.
    h.editSchedule([](Schedule& s) {
        s.changed.push_back({at(14, 9), at(15, 10), at(15, 10, 15), "Standup", false, 0});
        s.removed.push_back(at(21, 9));
    });
    ASSERT_TRUE(h.sync());
    EXPECT_EQ(h.report.counts[RecordKind::Appointment].up, 1);
    const std::string stored = h.server.items[href].body;
    EXPECT_EQ(std::tuple(count(stored, "BEGIN:VEVENT"), count(stored, "RECURRENCE-ID"),
                         count(stored, "EXDATE"), count(stored, "X-PHONE-COLOUR:teal"),
                         count(stored, "UID:standup")),
              std::tuple(2ul, 1ul, 1ul, 1ul, 2ul))
        << stored;
    EXPECT_EQ(h.server.items.size(), 1u);
    const ParsedItem back = h.calendar.parse(stored);
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(fieldTexts(back.records[0].record), fieldTexts(SyncRecord(h.only()))) << stored;

    // Nothing changed since: nothing goes up, nothing comes down.
    ASSERT_TRUE(h.sync());
    EXPECT_EQ(std::pair(h.report.counts[RecordKind::Appointment].up,
                        h.report.counts[RecordKind::Appointment].down),
              std::pair(0, 0));

    // The moved occurrence deleted as well: its override goes, an EXDATE takes its place.
    h.editSchedule([](Schedule& s) {
        s.changed.clear();
        s.removed.insert(s.removed.begin(), at(14, 9));
    });
    ASSERT_TRUE(h.sync());
    EXPECT_EQ(std::pair(count(h.server.items[href].body, "RECURRENCE-ID"),
                        count(h.server.items[href].body, "EXDATE")),
              std::pair(0ul, 2ul))
        << h.server.items[href].body;

    // The series deleted here: its resource goes.
    h.document.remove<Appointment>(h.only().ID);
    ASSERT_TRUE(h.sync());
    EXPECT_TRUE(h.server.items.empty());
}

TEST(SeriesSyncTest, ASeriesMadeHereGoesUpWholeAndTakesThePhonesExceptions) {
    const TzGuard zone("Europe/Berlin");
    SeriesHarness h;
    h.document.add(repeating(appointmentAt("Yoga", at(8, 18), at(8, 19)), "FREQ=WEEKLY;COUNT=3"));
    ASSERT_TRUE(h.sync());
    ASSERT_EQ(h.server.items.size(), 1u);
    auto& [href, item] = *h.server.items.begin();
    EXPECT_EQ(std::pair(count(item.body, "BEGIN:VEVENT"), count(item.body, "RRULE:FREQ=WEEKLY")),
              std::pair(1ul, 1ul))
        << item.body;

    // The phone moves the second occurrence and drops the third.
    std::string phone = item.body;
    const std::string end = "END:VEVENT\r\n";
    const size_t master = phone.find(end);
    const std::string uid = "UID:quillmate-test-A" + std::to_string(h.only().ID) + "\r\n";
    phone.insert(master, "EXDATE:20261222T180000\r\n");
    phone.insert(phone.find(end) + end.size(),
                 "BEGIN:VEVENT\r\n" + uid +
                     "DTSTAMP:20261201T100000Z\r\nRECURRENCE-ID:20261215T180000\r\n"
                     "DTSTART:20261216T070000\r\nDTEND:20261216T080000\r\nSUMMARY:Yoga\r\n" +
                     end);
    h.server.store(href, phone);
    ASSERT_TRUE(h.sync());
    ASSERT_EQ(h.document.appointments().size(), 1u);
    const Schedule& s = h.only().schedule.get();
    ASSERT_EQ(s.changed.size(), 1u);
    EXPECT_EQ(std::tuple(s.changed[0].replaces, s.changed[0].start, s.removed),
              std::tuple(at(15, 18), at(16, 7), std::vector<DateTime>{at(22, 18)}));
    EXPECT_EQ(h.server.items.begin()->second.body, phone);
}

}  // namespace

namespace {

// Berlin's clocks go back from 03:00 to 02:00 on 26 October 2025: the later 02:30 is 01:30Z.
TEST(SeriesSyncTest, ATimeInTheRepeatedHourTravelsAsTheLaterInstantBothWays) {
    const TzGuard zone("Europe/Berlin");
    SeriesHarness here;
    Appointment late = appointmentAt("Night shift", DateTime::fromFields(2025, 10, 26, 2, 30),
                                     DateTime::fromFields(2025, 10, 26, 4, 0));
    late.laterOfTwo = Appointment::kLaterStart;
    here.document.add(late);
    ASSERT_TRUE(here.sync());
    ASSERT_EQ(here.server.items.size(), 1u);
    const std::string sent = here.server.items.begin()->second.body;
    EXPECT_NE(sent.find("DTSTART:20251026T013000Z"), std::string::npos) << sent;

    SeriesHarness there;
    there.server.items = here.server.items;
    ASSERT_TRUE(there.sync());
    ASSERT_EQ(there.document.appointments().size(), 1u);
    EXPECT_EQ(std::pair(there.only().StartTime, there.only().laterOfTwo),
              std::pair(late.StartTime, Appointment::kLaterStart));
}

}  // namespace
