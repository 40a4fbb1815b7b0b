#include "organizer/BusyDays.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "records/PimDocument.h"

namespace {

DateTime may(int day, int hour = 0) {
    return DateTime::fromFields(2026, 5, day, hour, 0);
}

TEST(BusyDays, DaysWithAnAppointmentOrAnOpenTaskEachOnce) {
    const FixedClock clock(LocalTime{2026, 5, 10, 8, 0, 0, 0});
    PimDocument document(clock);
    const auto appointment = [&](DateTime due) {
        Appointment a;
        a.DueDate = due;
        document.add(a);
    };
    const auto task = [&](DateTime due, int32_t priority) {
        Task t;
        t.DueDate = due;
        t.Priority = priority;
        document.add(t);
    };
    appointment(may(3));
    appointment(may(3, 15));                 // a second one on the same day
    appointment(may(31, 9));                 // a time of day on the last day of the range
    appointment(may(30) + DateTimeSpan(2));  // after the range
    task(may(7), Task::Low);
    task(may(3), Task::High);
    task(may(12), Task::Done);                   // done: the day stays plain
    task(may(1) - DateTimeSpan(1), Task::High);  // before the range
    EXPECT_EQ(busyDays(document, may(1), may(31, 23)),
              (std::vector<DateTime>{may(3), may(7), may(31)}));
    EXPECT_EQ(busyDays(document, may(4), may(6)), std::vector<DateTime>{});
}

}  // namespace
