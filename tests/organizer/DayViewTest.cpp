#include "organizer/DayView.h"

#include <gtest/gtest.h>

#include "docfile/DocumentFile.h"
#include "organizer/BusyDays.h"
#include "organizer/Reminders.h"
#include "platform/Clock.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"
#include "support/Collect.h"
#include "support/FixedLocale.h"
#include "support/Records.h"
#include "support/ScratchDir.h"
#include "support/SeriesRecords.h"
#include "support/TzGuard.h"

namespace {

DateTime may(int day, int hour = 0) {
    return DateTime::fromFields(2026, 5, day, hour, 0);
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

class DayViewTest : public testing::Test {
protected:
    int32_t addTask(const char* text) { return doc.add(taskDue(text, may(10))); }
    int32_t addAppointment(const char* text, int hour, int minute, int day = 10) {
        const DateTime start = DateTime::fromFields(2026, 5, day, hour, minute);
        return doc.add(appointmentAt(text, start, start + DateTimeSpan::fromParts(0, 0, 15, 0)));
    }

    FixedClock clock{LocalTime{2026, 5, 10, 9, 0, 0, 0}};
    PimDocument doc{clock};
    DocumentDoor door{doc, nullptr};
    DayView view{door};
};

TEST_F(DayViewTest, DeletingMovesTheSelectionToThePreviousRow) {
    const int32_t a = addTask("a"), b = addTask("b"), c = addTask("c");
    view.refill();
    view.focusList(FocusedList::Tasks);

    view.selectTaskRow(1);  // a middle row: the one before takes its place
    view.deleteSelectedTask();
    view.refill();
    EXPECT_EQ(collect(view.taskRows(), &TaskRow::id), (std::vector<int32_t>{a, c}));
    EXPECT_EQ(view.taskSelection(), (ListSelection{a, 0}));

    view.deleteSelectedTask();  // the first row: the new first row is chosen
    view.refill();
    EXPECT_EQ(view.taskSelection(), (ListSelection{c, 0}));

    view.deleteSelectedTask();  // the only row: nothing is left to choose
    view.refill();
    EXPECT_TRUE(view.taskRows().empty());
    EXPECT_EQ(view.taskSelection(), ListSelection{});
    EXPECT_FALSE(view.taskCommandsApply());
    EXPECT_FALSE(doc.tasks().contains(b));
}

TEST_F(DayViewTest, DeletingAnOccurrenceTakesItAloneAndTheLastOneTakesTheSeries) {
    Appointment weekly =
        repeating(appointmentAt("Yoga", may(3, 18), may(3, 19)), "FREQ=WEEKLY;COUNT=2");
    weekly.schedule.edit().changed = {
        {may(10, 18), may(10, 20), may(10, 21), "Late yoga", false, 0}};
    const int32_t id = doc.add(weekly);
    view.focusList(FocusedList::Appointments);
    for (const int day : {10, 3}) {
        view.showDate(may(day));
        view.selectAppointmentRow(0);
        view.deleteSelectedAppointment();
        view.refill();
        EXPECT_TRUE(view.appointmentRows().empty()) << day;
    }
    EXPECT_FALSE(doc.appointments().contains(id)) << "no occurrence left";
}

TEST_F(DayViewTest, RowsSortByStartCommandsActOnTheFocusedListAndSelectionFollowsRecords) {
    const int32_t a = addTask("a"), b = addTask("b");
    const int32_t meeting = addAppointment("meeting", 9, 0);
    const int32_t halfPastEight = addAppointment("half past eight", 8, 30);
    const int32_t alsoNine = addAppointment("also nine", 9, 0);
    addAppointment("another day", 7, 0, 11);
    view.refill();
    EXPECT_EQ(collect(view.appointmentRows(), &AppointmentRow::id),
              (std::vector<int32_t>{halfPastEight, alsoNine, meeting}))
        << "by start, equal starts newest first";
    view.selectTaskRow(1);
    view.selectAppointmentRow(0);
    view.focusList(FocusedList::Appointments);
    view.deleteSelectedTask();  // the task list lacks the focus
    EXPECT_EQ(doc.tasks().size(), 2u);

    // Another record coming in before the selection keeps the same record selected.
    const Task early = taskDue("early", may(10));
    doc.apply(RecordEdit<Task>(
        InsertRecords<Task>{{{0, std::make_shared<Task>(early)}}, doc.tasks().lastId()}));
    view.refill();
    EXPECT_EQ(view.taskSelection(), (ListSelection{b, 2}));

    // Completing keeps the task listed today, marked done today.
    view.clickTaskList(1);
    EXPECT_EQ(view.taskSelection(), (ListSelection{a, 1}));
    view.completeSelectedTask();
    view.refill();
    EXPECT_EQ(doc.tasks().find(a)->Priority, Task::Done);
    EXPECT_EQ(doc.tasks().find(a)->DoneDate, may(10));
    EXPECT_EQ(view.taskSelection(), (ListSelection{a, 1}));

    // A click beside the rows selects nothing; another day loses the selection.
    view.clickTaskList(-1);
    EXPECT_FALSE(view.taskCommandsApply());
    view.clickAppointmentList(true);
    EXPECT_TRUE(view.appointmentCommandsApply());
    view.clickAppointmentList(false);
    EXPECT_FALSE(view.appointmentCommandsApply());
    view.selectAppointmentRow(0);
    view.showDate(may(12));
    EXPECT_EQ(view.appointmentSelection(), ListSelection{});
    EXPECT_EQ(doc.currentDate(), may(12));
    EXPECT_TRUE(doc.appointments().contains(meeting));
}

}  // namespace
