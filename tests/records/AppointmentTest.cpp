#include <gtest/gtest.h>

#include "records/Appointment.h"
#include "records/Task.h"

namespace {

DateTime march(int day, int hour = 0, int minute = 0) {
    return DateTime::fromFields(2024, 3, day, hour, minute);
}

}  // namespace

// StartTime counts where it lies on DueDate's day or within a day after it (a document
// opened in another zone moves both); a StartTime whose date means nothing gives only its
// time of day.
TEST(AppointmentTest, StartsAtStartTimeNearItsDayElseAtItsTimeOfDayOnIt) {
    struct Case {
        const char* what;
        DateTime due, start, expected;
    };
    const Case cases[] = {
        {"one zone", march(2), march(2, 22), march(2, 22)},
        {"due later that day", march(2, 10), march(2, 8), march(2, 8)},
        {"made east, read west", march(1, 18), march(2, 16), march(2, 16)},
        {"made west, read east", march(2, 6), march(3, 4), march(3, 4)},
        {"undated time", march(2), DateTime::fromFields(1899, 12, 30, 9, 0), march(2, 9)},
        {"days after", march(2), march(5, 9), march(2, 9)},
        {"the day before", march(2), march(1, 23), march(2, 23)},
    };
    for (const Case& c : cases) {
        Appointment a = Appointment::createdAt(c.due);
        a.StartTime = c.start;
        a.EndTime = c.start + DateTimeSpan::fromParts(0, 0, 30, 0);
        EXPECT_EQ(a.firstStart(), c.expected) << c.what;
        EXPECT_EQ(a.day(), c.expected.date()) << c.what;
        EXPECT_EQ(a.firstEnd(), c.expected + DateTimeSpan::fromParts(0, 0, 30, 0)) << c.what;
    }
    // Whole days keep their local day; a multi-day end goes by its last day.
    Appointment fair = Appointment::createdAt(march(1, 18));
    fair.StartTime = march(2, 16);
    fair.schedule.edit().allDay = true;
    EXPECT_EQ(fair.day(), march(1));
    Appointment shift = Appointment::createdAt(march(1, 18));
    shift.StartTime = march(2, 16);
    shift.EndTime = march(4, 4);
    shift.schedule.edit().lastDay = march(3, 18);
    EXPECT_EQ(shift.firstEnd(), march(4, 4));
}

// A date given a new value no longer names the later of two repeated instants; the dates
// left alone keep theirs, so an edit of the text alone moves nothing.
TEST(AppointmentTest, ADateGivenAnewForgetsItWasTheLaterOfTwo) {
    Appointment before = Appointment::createdAt(march(31, 2, 30));
    before.laterOfTwo = Appointment::kLaterDue | Appointment::kLaterStart | Appointment::kLaterEnd |
                        Appointment::kLaterAlarm;
    Appointment edited = before;
    edited.Description = "text alone";
    edited.forgetLaterWhereChanged(before);
    EXPECT_EQ(edited.laterOfTwo, before.laterOfTwo);
    edited.StartTime = march(31, 4);
    edited.AlarmTime = march(31, 3, 45);
    edited.forgetLaterWhereChanged(before);
    EXPECT_EQ(edited.laterOfTwo, Appointment::kLaterDue | Appointment::kLaterEnd);

    Task task = Task::createdAt(march(31, 2, 30));
    task.laterOfTwo = Task::kLaterDue | Task::kLaterDone;
    const Task was = task;
    task.DueDate = march(31, 2, 45);
    task.forgetLaterWhereChanged(was);
    EXPECT_EQ(task.laterOfTwo, Task::kLaterDone);
}
