#include <gtest/gtest.h>

#include "records/DocumentDoor.h"

#include "organizer/AppointmentForm.h"
#include "organizer/EditorCommits.h"
#include "organizer/EditorDates.h"
#include "organizer/TaskForm.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"

namespace {

class EditorCommits : public testing::Test {
protected:
    FixedClock clock_{LocalTime{2026, 5, 10, 9, 41, 7}};
    PimDocument document_{clock_};
    UndoHistory history_{document_};
    DocumentDoor door_{document_, &history_};
    const DateTime may12_ = DateTime::fromFields(2026, 5, 12);
};

TEST_F(EditorCommits, TaskIsAddedAndEditedAsNamedStepsKeepingItsDoneDate) {
    EXPECT_EQ(addTask(door_, TaskForm::forNew(may12_)), 0) << "no description";
    EXPECT_FALSE(document_.isModified());

    TaskForm form = TaskForm::forNew(may12_);
    form.description = "File taxes";
    form.priority = Task::Low;
    const int32_t id = addTask(door_, form);
    ASSERT_NE(id, 0);
    EXPECT_EQ(history_.undoName(), "Add Task");
    const Task added = *document_.tasks().find(id);
    EXPECT_EQ(added.DueDate, may12_);

    Task done = added;
    done.Priority = Task::Done;
    done.DoneDate = DateTime::fromFields(2026, 5, 11);
    ASSERT_TRUE(document_.replace(done));
    TaskForm edit = TaskForm::of(done);
    edit.description = "File taxes, all of them";
    edit.priority = Task::Medium;
    edit.chooseDueDate(DateTime::fromFields(2026, 5, 20, 13, 0));
    ASSERT_TRUE(updateTask(door_, edit));
    EXPECT_EQ(history_.undoName(), "Edit Task");
    const Task& edited = *document_.tasks().find(id);
    EXPECT_EQ(std::tie(edited.Priority, edited.DueDate, edited.DoneDate),
              std::tuple(Task::Medium, DateTime::fromFields(2026, 5, 20), done.DoneDate));

    edit.id = 99;
    EXPECT_FALSE(updateTask(door_, edit));
}

TEST_F(EditorCommits, AppointmentIsAddedAndEditedWithDoneClearedOnAnyDateThePickerShows) {
    AppointmentForm form = AppointmentForm::forNew(may12_, DateTime::now(clock_));
    form.setDescription("Dentist");
    form.setAlarm(true);
    ASSERT_TRUE(form.setAlarmMinutes(15));
    const int32_t id = addAppointment(door_, form);
    ASSERT_NE(id, 0);
    EXPECT_EQ(history_.undoName(), "Add Appointment");
    Appointment stored = *document_.appointments().find(id);
    EXPECT_EQ(stored, form.writtenOver(stored)) << "stored as the form writes it";

    stored.Done = true;
    ASSERT_TRUE(document_.replace(stored));
    AppointmentForm edit = AppointmentForm::of(stored);
    edit.setDescription("");
    EXPECT_FALSE(updateAppointment(door_, edit));
    edit.setDescription("Dentist, bring X-rays");
    ASSERT_TRUE(updateAppointment(door_, edit));
    EXPECT_EQ(history_.undoName(), "Edit Appointment");
    const Appointment& edited = *document_.appointments().find(id);
    EXPECT_EQ(std::pair(edited.Done, edited.AlarmTime), std::pair(false, stored.AlarmTime));

    // The date pickers keep a date outside their years.
    const EditorDates old = EditorDates::around(DateTime::fromFields(1985, 7, 4, 12, 0));
    EXPECT_EQ(old.first, DateTime::fromFields(1985, 7, 4));
    EXPECT_EQ(old.last, EditorDates::standard().last);
    EXPECT_EQ(EditorDates::around(DateTime()).first, EditorDates::standard().first);
}

}  // namespace
