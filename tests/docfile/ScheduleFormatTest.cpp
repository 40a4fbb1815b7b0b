#include <gtest/gtest.h>

#include <functional>

#include "docfile/DocumentFile.h"
#include "docfile/DocumentWriter.h"
#include "platform/Clock.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"
#include "support/Collect.h"
#include "support/ProcessGuards.h"
#include "support/Records.h"

namespace {

DateTime at(int year, int month, int day, int hour = 0, int minute = 0) {
    return DateTime::fromFields(year, month, day, hour, minute);
}

RecurrenceRule rule(std::string_view text) {
    return RecurrenceRule::parse(text).value();
}

// Monday 1 March 2027, 09:00 to 10:00.
Appointment standup() {
    return appointmentAt("Standup", at(2027, 3, 1, 9), at(2027, 3, 1, 10));
}

class ScheduleFormatTest : public testing::Test {
protected:
    // The appointments a document text holds; an empty store when it does not load.
    RecordStore<Appointment> load(const std::string& text) {
        PimDocument loaded(clock_);
        EXPECT_TRUE(loadDocumentBytes(loaded, text));
        return loaded.appointments();
    }
    std::string withAppointments(const std::string& appointments) {
        return "<Pim Version=\"16\"><Appointments>" + appointments + "</Appointments></Pim>";
    }

    TzGuard tz_{"Europe/Berlin"};
    FixedClock clock_{LocalTime{2027, 2, 1, 10, 0, 0, 0}};
};

TEST_F(ScheduleFormatTest, EveryKindOfSeriesComesBackWhole) {
    // What each case does to the schedule of the standup.
    const std::pair<const char*, std::function<void(Schedule&)>> cases[] = {
        {"several days", [](Schedule& s) { s.lastDay = at(2027, 3, 3); }},
        {"all-day yearly, reminded",
         [](Schedule& s) {
             s.allDay = true;
             s.lastDay = at(2027, 3, 2);
             s.rule = rule("FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=1");
             s.remindedUntil = at(2027, 2, 28, 9, 30);
         }},
        {"local weekly with exceptions",
         [](Schedule& s) {
             s.rule = rule("FREQ=WEEKLY;UNTIL=20270601T090000;BYDAY=MO,TH;WKST=SU");
             s.added = {at(2027, 3, 10, 9), at(2027, 3, 31, 2, 30)};
             s.removed = {at(2027, 3, 4), at(2027, 3, 8, 9)};
             s.changed = {
                 {at(2027, 3, 15, 9), at(2027, 3, 16, 11), at(2027, 3, 16, 12),
                  "Moved & \"late\"\r\nsee <notes>", true, 15},
                 {at(2027, 3, 18, 9), at(2027, 3, 18, 9), at(2027, 3, 19, 9), "", false, 0}};
         }},
        {"zoned, ends in UTC",
         [](Schedule& s) {
             s.zone = "America/New_York";
             s.rule = rule("FREQ=MONTHLY;UNTIL=20271231T230000Z;BYDAY=-1FR");
             s.removed = {at(2027, 3, 26, 3)};
             // Its wall time is one the local clocks skip that night.
             s.changed = {{at(2027, 4, 30, 3), at(2027, 3, 28, 2, 30), at(2027, 3, 28, 3), "Early",
                           true, 60}};
         }},
        {"a zone this system lacks",
         [](Schedule& s) {
             s.zone = "Mars/Olympus_Mons";
             s.rule = rule("FREQ=DAILY;COUNT=3;X-SOL=1");
         }},
    };
    for (const auto& [what, change] : cases) {
        SCOPED_TRACE(what);
        Appointment series = standup();
        change(series.schedule.edit());
        PimDocument document(clock_);
        document.add(series);
        document.add(standup());
        const std::string text = formatDocument(document);

        PimDocument loaded(clock_);
        ASSERT_TRUE(loadDocumentBytes(loaded, text));
        EXPECT_TRUE(loaded.appointments().find(1)->schedule == series.schedule);
        EXPECT_FALSE(loaded.appointments().find(2)->schedule.has());
        EXPECT_EQ(formatDocument(loaded), text);
    }
}

TEST_F(ScheduleFormatTest, AddedFieldsFollowTheVersion16OnesOnlyWhenUsed) {
    TzGuard utc("UTC");
    Appointment series = standup();
    series.uid = "u-1@example";
    Schedule& s = series.schedule.edit();
    s.rule = rule("FREQ=WEEKLY;COUNT=10;BYDAY=MO");
    s.added = {at(2027, 3, 10, 9)};
    s.removed = {at(2027, 3, 8, 9)};
    s.changed = {{at(2027, 3, 15, 9), at(2027, 3, 15, 11), at(2027, 3, 15, 12), "Moved & \"late\"",
                  true, 15}};
    Appointment days = standup();
    Schedule& d = days.schedule.edit();
    d.allDay = true;
    d.lastDay = at(2027, 3, 3);
    d.zone = "Europe/Berlin";
    d.remindedUntil = at(2027, 3, 1, 9);
    PimDocument document(clock_);
    document.add(series);
    document.add(days);
    document.add(standup());

    const std::string v16 =
        " Description=\"Standup\" DueDate=\"1803859200\" StartTime=\"1803891600\" "
        "EndTime=\"1803895200\" Alarm=\"0\" AlarmTime=\"0\" Done=\"0\"";
    const std::string expected =
        "\t<Appointments LastID=\"3\">\r\n"
        "\t\t<Appointment ID=\"1\"" +
        v16 +
        " UID=\"u-1@example\" RRule=\"FREQ=WEEKLY;COUNT=10;BYDAY=MO\" RDate=\"1804669200\" "
        "ExDate=\"1804496400\">\r\n"
        "\t\t\t<Occurrence Replaces=\"1805101200\" StartTime=\"1805108400\" "
        "EndTime=\"1805112000\" Description=\"Moved &amp; &quot;late&quot;\" Alarm=\"1\" "
        "AlarmMinutes=\"15\" />\r\n"
        "\t\t</Appointment>\r\n"
        "\t\t<Appointment ID=\"2\"" +
        v16 +
        " AllDay=\"1\" LastDay=\"1804032000\" TZID=\"Europe/Berlin\" "
        "RemindedUntil=\"1803891600\" />\r\n"
        "\t\t<Appointment ID=\"3\"" +
        v16 +
        " />\r\n"
        "\t</Appointments>\r\n";
    const std::string text = formatDocument(document);
    EXPECT_NE(text.find(expected), std::string::npos) << text;
}

TEST_F(ScheduleFormatTest, AZonedSeriesKeepsItsWallTimesWhenTheLocalZoneChanges) {
    // Saved in Berlin, read in Moscow: a local series moves with its first start, as every
    // version-16 date does; a zoned one keeps the hours of its zone.
    Appointment local = appointmentAt("Local", at(2027, 1, 4, 9), at(2027, 1, 4, 10));
    local.schedule.edit().rule = rule("FREQ=WEEKLY");
    local.schedule.edit().removed = {at(2027, 1, 11, 9)};
    Appointment zoned = local;
    zoned.schedule.edit().zone = "Europe/Berlin";
    zoned.schedule.edit().changed = {
        {at(2027, 1, 18, 9), at(2027, 1, 18, 14), at(2027, 1, 18, 15), "Later", false, 0}};
    PimDocument document(clock_);
    document.add(local);
    document.add(zoned);
    const std::string text = formatDocument(document);

    TzGuard moscow("Europe/Moscow");
    const RecordStore<Appointment> loaded = load(text);
    for (const int32_t id : {1, 2})
        EXPECT_EQ(collect(occurrencesOnDays(*loaded.find(id), at(2027, 1, 4), at(2027, 1, 25)),
                          &Occurrence::start),
                  (std::vector<DateTime>{at(2027, 1, 4, 11), at(2027, 1, 18, id == 1 ? 11 : 16),
                                         at(2027, 1, 25, 11)}))
            << id << ": the removed start stays removed, the changed one changed";
}

TEST_F(ScheduleFormatTest, NothingAddedCarriesOverToTheNextAppointment) {
    const RecordStore<Appointment> read = load(withAppointments(
        "<Appointment ID=\"1\" Description=\"Gym\" Done=\"1\" AllDay=\"1\" LastDay=\"1804032000\" "
        "TZID=\"Europe/Berlin\" UID=\"u\" RRule=\"FREQ=DAILY\" RDate=\"1804669200\" "
        "ExDate=\"1804496400\" RemindedUntil=\"1803891600\">"
        "<Occurrence Replaces=\"1805101200\" StartTime=\"1805108400\" EndTime=\"1805112000\"/>"
        "</Appointment><Appointment ID=\"2\"/>"));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_TRUE(read.find(1)->schedule.has());
    const Appointment& next = *read.find(2);
    EXPECT_EQ(std::tuple(next.Description, next.Done), std::tuple("Gym", true))
        << "the version-16 fields carry over";
    EXPECT_FALSE(next.schedule.has());
}

TEST_F(ScheduleFormatTest, AValueThatCannotBeReadLeavesAnOrdinaryAppointment) {
    // The rest of an appointment's element, with one value damaged.
    const char* const damaged[] = {
        "RRule=\"FREQ=SOMETIMES\"/>",
        "RRule=\"\"/>",
        "RDate=\"1804669200,soon\"/>",
        "ExDate=\"1804496400,\"/>",
        "LastDay=\" 1804032000\"/>",
        "RemindedUntil=\"99999999999999999999\"/>",
        "RRule=\"FREQ=DAILY\"><Occurrence StartTime=\"1\" EndTime=\"2\"/></Appointment>",
        "RRule=\"FREQ=DAILY\"><Occurrence Replaces=\"1\" StartTime=\"1\" EndTime=\"2\" "
        "AlarmMinutes=\"x\"/></Appointment>",
    };
    for (const char* value : damaged) {
        SCOPED_TRACE(value);
        const RecordStore<Appointment> read = load(withAppointments(
            "<Appointment ID=\"1\" Description=\"Dentist\" DueDate=\"1803855600\" " +
            std::string(value) + "<Appointment ID=\"2\" RRule=\"FREQ=DAILY\"/>"));
        ASSERT_EQ(read.size(), 2u);
        const Appointment& first = *read.find(1);
        EXPECT_EQ(std::tuple(first.Description, first.DueDate, first.schedule.has()),
                  std::tuple("Dentist", at(2027, 3, 1), false));
        EXPECT_TRUE(read.find(2)->repeats()) << "the next one is read as it is";
    }
}

}  // namespace
