#include "organizer/DayRows.h"

#include <gtest/gtest.h>

#include "docfile/DocumentFile.h"
#include "docfile/DocumentReader.h"
#include "organizer/BusyDays.h"
#include "organizer/DayView.h"
#include "organizer/Reminders.h"
#include "platform/Clock.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"
#include "support/FixedLocale.h"
#include "support/ProcessGuards.h"
#include "support/Records.h"
#include "support/ScratchDir.h"
#include "support/SeriesRecords.h"

namespace {

DateTime may(int day, int hour = 0, int minute = 0) {
    return DateTime::fromFields(2026, 5, day, hour, minute);
}

// "9:00 AM-9:30 AM Standup" for each row of a day, in the order listed.
std::vector<std::string> listed(const PimDocument& document, DateTime day) {
    std::vector<std::string> lines;
    for (const AppointmentRow& row : dayAppointmentRows(document, day))
        lines.push_back(appointmentTimes(row, day, FixedLocale()) + " " + row.description);
    return lines;
}

TEST(DayRows, TaskListingFollowsDueDoneAndToday) {
    // Today, the day shown, due and done (0: never) in May 2026; the priority; listed.
    const std::tuple<int, int, int, int, int32_t, bool> cases[] = {
        // Open and overdue: carried onto today only.
        {10, 10, 8, 0, Task::High, true},
        {10, 8, 8, 0, Task::High, false},
        // Completed today: listed today, on no other day.
        {10, 10, 8, 10, Task::Done, true},
        {10, 8, 8, 10, Task::Done, false},
        // Due ahead: on its own day until that day passes, then on each today.
        {10, 15, 15, 0, Task::Medium, true},
        {16, 15, 15, 0, Task::Medium, false},
        {16, 16, 15, 0, Task::Medium, true},
        // Done with a due date ahead: still on its due date.
        {10, 20, 20, 9, Task::Done, true},
        // A past day shows only what was completed on it.
        {10, 9, 3, 9, Task::Done, true},
        // A done date without the Done priority is ignored.
        {10, 9, 3, 9, Task::Low, false},
        // A priority no name fits, from another program, is an open task like Low.
        {10, 10, 8, 0, 7, true},
        {10, 10, 8, 0, -1, true},
        {10, 8, 8, 0, 7, false},
    };
    for (const auto& [today, shown, due, done, priority, listed] : cases) {
        Task task = taskDue("", may(due), priority);
        if (done != 0) task.DoneDate = may(done);
        EXPECT_EQ(isTaskListedOn(task, may(shown), may(today)), listed)
            << "today " << today << " shown " << shown << " due " << due << " done " << done
            << " priority " << priority;
    }

    // Its row shows Low; the record keeps its number.
    const FixedClock clock{LocalTime{2026, 5, 10, 8, 0, 0, 0}};
    PimDocument document(clock);
    document.add(taskDue("Foreign", may(8), 7));
    const auto rows = dayTaskRows(document, may(10), may(10));
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].priority, Task::Low);
    EXPECT_EQ(document.tasks().find(rows[0].id)->Priority, 7);
}

// In Havana the clocks go from 23:59:59 on 7 March 2026 to 01:00 on 8 March: saved and read
// back, the day of that date is 01:00. Every list and the reminders go by the date.
TEST(DayRows, RecordsBelongToTheirLocalDateOnADayWithoutMidnight) {
    const TzGuard zone("America/Havana");
    const DateTime day = DateTime::fromFields(2026, 3, 8);
    const FixedClock clock{LocalTime{2026, 3, 8, 12, 0, 0, 0}};
    PimDocument written(clock);
    const DateTime ten = DateTime::fromFields(2026, 3, 8, 10, 0);
    written.add(appointmentAt("Dentist", ten, ten, 0));
    written.add(taskDue("Stamps", day));
    ScratchDir dir;
    ASSERT_TRUE(saveDocument(written, dir.file("havana.pgr")));
    PimDocument document(clock);
    ASSERT_TRUE(loadDocument(document, dir.file("havana.pgr")));
    ASSERT_NE(document.appointments().begin()->second.DueDate, day) << "no longer a fault to test";

    EXPECT_EQ(dayAppointmentRows(document, day).size(), 1u);
    EXPECT_EQ(dayTaskRows(document, day, day).size(), 1u) << "today";
    EXPECT_EQ(dayTaskRows(document, day, day - DateTimeSpan(1)).size(), 1u) << "ahead";
    const DateTime later = DateTime::fromFields(2026, 3, 9, 9, 0);
    EXPECT_EQ(dueReminders(document, DateTime(), later, FixedLocale()).size(), 1u) << "missed";
}

TEST(BusyDays, DaysWithAnAppointmentOrAnOpenTaskEachOnce) {
    const FixedClock clock(LocalTime{2026, 5, 10, 8, 0, 0, 0});
    PimDocument document(clock);
    // Due dates with a time of day count too; the last is after the range.
    for (const DateTime due : {may(3), may(3, 15), may(31, 9), may(30) + DateTimeSpan(2)})
        document.add(Appointment::createdAt(due));
    for (const auto& [due, priority] : {std::pair{may(7), Task::Low},
                                        {may(3), Task::High},
                                        {may(12), Task::Done},
                                        {may(1) - DateTimeSpan(1), Task::High}})
        document.add(taskDue("", due, priority));  // the done one and the one before stay plain
    EXPECT_EQ(busyDays(document, may(1), may(31, 23)),
              (std::vector<DateTime>{may(3), may(7), may(31)}));
    EXPECT_EQ(busyDays(document, may(4), may(6)), std::vector<DateTime>{});

    // Every day an occurrence covers: Wednesdays but the one taken out, and three whole
    // days from the 12th; a night ending at midnight keeps the day after free.
    Appointment weekly = repeating(appointmentAt("", may(6, 9), may(6, 10)), "FREQ=WEEKLY");
    weekly.schedule.edit().removed = {may(20, 9)};
    document.add(weekly);
    document.add(wholeDays("", may(12), may(14)));
    document.add(severalDays("", may(25, 22), may(26)));
    EXPECT_EQ(busyDays(document, may(4), may(29)),
              (std::vector<DateTime>{may(6), may(7), may(12), may(13), may(14), may(25), may(27)}));
    // A daily series takes every day.
    document.add(repeating(appointmentAt("", may(1, 9), may(1, 10)), "FREQ=DAILY"));
    EXPECT_EQ(busyDays(document, may(4), may(29)).size(), 26u);
}

class DayRowsTest : public testing::Test {
protected:
    DayRowsTest() {
        doc.add(appointmentAt("Dentist", may(11, 9), may(11, 9, 15)));
        // Mondays from 4 May; the 18th taken out, the 25th moved to 11:00.
        Appointment standup =
            repeating(appointmentAt("Standup", may(4, 9), may(4, 9, 30), 10), "FREQ=WEEKLY");
        standup.schedule.edit().removed = {may(18, 9)};
        standup.schedule.edit().changed = {
            {may(25, 9), may(25, 11), may(25, 11, 30), "Standup (late)", false, 0}};
        standup_ = doc.add(standup);
        doc.add(wholeDays("Fair", may(11), may(13)));
        doc.add(severalDays("Night shift", may(10, 22), may(12, 6)));
        doc.add(
            repeating(appointmentAt("Course", may(11, 8), may(11, 8, 45)), "FREQ=DAILY;COUNT=2"));
        doc.add(appointmentAt("Early", may(11, 9), may(11, 9, 15)));
    }

    FixedClock clock{LocalTime{2026, 5, 11, 8, 0, 0, 0}};
    PimDocument doc{clock};
    int32_t standup_ = 0;
};

TEST_F(DayRowsTest, ADayListsWholeDaysFirstThenEveryOccurrenceAndAppointmentByStart) {
    using Lines = std::vector<std::string>;
    const std::pair<DateTime, Lines> cases[] = {
        {may(10), {"10:00 PM- Night shift"}},
        // The shift began the day before: it comes first, without its start. Equal starts
        // list the newest first, occurrences among the ordinary ones.
        {may(11),
         {"All day Fair", "- Night shift", "8:00 AM-8:45 AM Course", "9:00 AM-9:15 AM Early",
          "9:00 AM-9:30 AM Standup", "9:00 AM-9:15 AM Dentist"}},
        {may(12), {"All day Fair", "-6:00 AM Night shift", "8:00 AM-8:45 AM Course"}},
        {may(13), {"All day Fair"}},
        {may(18), {}},
        {may(25), {"11:00 AM-11:30 AM Standup (late)"}},
        {DateTime::fromFields(2027, 5, 3), {"9:00 AM-9:30 AM Standup"}},
    };
    for (const auto& [day, lines] : cases)
        EXPECT_EQ(listed(doc, day), lines) << day.format("%d %B %Y");

    // What the window needs of a row of a series: its key, that it repeats, its alarm.
    const AppointmentRow moved = dayAppointmentRows(doc, may(25)).front();
    EXPECT_EQ(std::tuple(moved.id, moved.repeats, moved.key, moved.alarm, moved.allDay),
              std::tuple(standup_, true, may(25, 9), false, false));
    const AppointmentRow fair = dayAppointmentRows(doc, may(12)).front();
    EXPECT_EQ(std::tuple(fair.repeats, fair.key, fair.firstDay, fair.lastDay),
              std::tuple(false, DateTime(), may(11), may(13)));
}

TEST_F(DayRowsTest, TheDayViewFollowsEveryChangeAndKeepsTheOccurrenceSelected) {
    DocumentDoor door(doc, nullptr);
    DayView view(door);
    view.showDate(may(4));
    ASSERT_EQ(view.appointmentRows().size(), 1u);
    // Hourly from 10:00 to 12:00: three occurrences of one appointment on the day.
    const int32_t hourly = doc.add(
        repeating(appointmentAt("Hourly", may(4, 10), may(4, 10, 30)), "FREQ=HOURLY;COUNT=3"));
    view.refill();
    ASSERT_EQ(view.appointmentRows().size(), 4u) << "a series added after the first refill";
    view.selectAppointmentRow(2);
    ASSERT_EQ(view.selectedAppointmentRow()->key, may(4, 11));

    // A row coming in above it moves the selection down with its occurrence.
    doc.add(appointmentAt("Breakfast", may(4, 7), may(4, 7, 30)));
    view.refill();
    EXPECT_EQ(view.appointmentSelection(), (ListSelection{hourly, 3}));
    EXPECT_EQ(view.selectedAppointmentRow()->key, may(4, 11));

    doc.remove<Appointment>(standup_);
    view.refill();
    EXPECT_EQ(view.appointmentRows().size(), 4u) << "a series removed";
    view.showDate(may(25));
    EXPECT_TRUE(view.appointmentRows().empty());
}

}  // namespace

// A call at 22:00 on 2 March in Berlin is at 16:00 that day in New York, where its stored
// day, Berlin's midnight, falls on the evening before: listed on the day it starts.
TEST(DayRowsZoneTest, AnAppointmentFromAnotherZoneIsListedOnTheDayItStarts) {
    const TzGuard tz("America/New_York");
    const FixedClock clock{LocalTime{2024, 3, 1, 9, 0, 0, 0}};
    PimContents contents;
    ASSERT_TRUE(readDocumentText("<?xml version=\"1.0\"?><Pim Version=\"16\">"
                                 "<Appointments LastID=\"1\"><Appointment ID=\"1\" "
                                 "Description=\"Call\" DueDate=\"1709334000\" "
                                 "StartTime=\"1709413200\" EndTime=\"1709416800\" Alarm=\"0\" "
                                 "AlarmTime=\"0\" Done=\"0\" /></Appointments></Pim>",
                                 contents, DateTime::now(clock))
                    .ok());
    PimDocument doc(clock);
    doc.adoptContents(std::move(contents));
    const DateTime first = DateTime::fromFields(2024, 3, 1);
    const DateTime second = DateTime::fromFields(2024, 3, 2);
    EXPECT_TRUE(listed(doc, first).empty());
    EXPECT_EQ(listed(doc, second), std::vector<std::string>{"4:00 PM-5:00 PM Call"});
    EXPECT_EQ(busyDays(doc, first, second), std::vector<DateTime>{second});
}
