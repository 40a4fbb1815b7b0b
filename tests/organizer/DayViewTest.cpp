#include "organizer/DayView.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"
#include "support/Collect.h"
#include "support/Records.h"
#include "support/SeriesRecords.h"

namespace {

DateTime may(int day, int hour = 0) {
    return DateTime::fromFields(2026, 5, day, hour, 0);
}

class DayViewTest : public testing::Test {
protected:
    int32_t addTask(const char* text) { return doc.add(taskDue(text, may(10))); }

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

// The rows' order is the day rows' own rule.
TEST_F(DayViewTest, CommandsActOnTheFocusedListAndSelectionFollowsRecords) {
    const int32_t a = addTask("a"), b = addTask("b");
    const int32_t meeting = doc.add(appointmentAt("meeting", may(10, 9), may(10, 10)));
    view.refill();
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
