#include <gtest/gtest.h>

#include "records/Appointment.h"
#include "records/Person.h"
#include "records/Task.h"

namespace {

TEST(Person, DisplayNameJoinsLastAndFirstName) {
    struct Case {
        const char* last;
        const char* first;
        const char* display;
    };
    const Case cases[] = {
        {"Smith", "Ann", "Smith, Ann"},
        {"", "Ann", "Ann"},
        {"Smith", "", "Smith"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        Person person;
        person.LName = c.last;
        person.FName = c.first;
        EXPECT_EQ(person.displayName(), c.display);
    }
}

TEST(Records, NewTasksAndAppointmentsStartAtTheGivenMoment) {
    const DateTime now = DateTime::fromFields(2026, 12, 6, 8, 30, 15);
    const Task task = Task::createdAt(now);
    EXPECT_EQ(task.Priority, Task::High);
    EXPECT_EQ(task.DueDate, now);
    EXPECT_TRUE(task.DoneDate.isNull());

    const Appointment appointment = Appointment::createdAt(now);
    EXPECT_EQ(appointment.StartTime, now);
    EXPECT_EQ(appointment.AlarmTime, now);
    EXPECT_FALSE(appointment.Alarm);
    EXPECT_FALSE(appointment.Done);
}

}  // namespace
