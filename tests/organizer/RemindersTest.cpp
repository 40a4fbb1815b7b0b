#include "organizer/Reminders.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"

namespace {

const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};

// December 2026 at a time of day.
DateTime dec(int day, int hour = 0, int minute = 0, int second = 0) {
    return DateTime::fromFields(2026, 12, day, hour, minute, second);
}

// An appointment on `day` starting at `start`, with an alarm `minutes` before it as the
// editor sets it.
Appointment appointmentAt(DateTime start, int minutes, bool alarm, const char* text = "Dentist") {
    Appointment a = Appointment::createdAt(start);
    a.Description = text;
    a.DueDate = start.date();
    a.StartTime = start;
    a.EndTime = start + DateTimeSpan::fromParts(0, 1, 0, 0);
    a.Alarm = alarm;
    a.AlarmTime = start - DateTimeSpan::fromParts(0, 0, minutes, 0);
    return a;
}

TEST(Reminders, DueFollowsAlarmTimeFlagAndTheDaysExamined) {
    struct Case {
        const char* what;
        DateTime now, shown, start;
        int minutes;
        bool alarm, due;
    };
    const Case cases[] = {
        {"at the alarm time", dec(6, 9, 45), dec(6), dec(6, 10), 15, true, true},
        {"a minute early", dec(6, 9, 44), dec(6), dec(6, 10), 15, true, false},
        {"flag clear", dec(6, 9, 50), dec(6), dec(6, 10), 15, false, false},
        {"today's while next week is shown", dec(6, 9, 50), dec(13), dec(6, 10), 15, true, true},
        {"a past day's while today is shown", dec(6, 9, 50), dec(6), dec(5, 10), 15, true, false},
        {"a past day's while it is shown", dec(6, 9, 50), dec(5), dec(5, 10), 15, true, true},
        {"tomorrow 00:15, 60 minutes, at 23:15", dec(6, 23, 15), dec(6), dec(7, 0, 15), 60, true,
         true},
        // Created with its alarm already behind it: reminded at the next tick.
        {"next week, alarm already past", dec(6, 9, 50), dec(1), dec(13, 10), 60 * 24 * 8, true,
         true},
    };
    for (const Case& c : cases) {
        PimDocument document(kClock);
        document.add(appointmentAt(c.start, c.minutes, c.alarm));
        EXPECT_EQ(dueReminders(document, c.shown, c.now).size(), c.due ? 1U : 0U) << c.what;
    }
}

TEST(Reminders, DueRemindersComeInAscendingIdWithTheirTexts) {
    PimDocument document(kClock);
    // Added later but earlier in the day: the order is by ID, not by time.
    document.add(appointmentAt(dec(6, 13, 5), 10, true, "Lunch with Ann"));
    document.add(appointmentAt(dec(6, 10), 10, false, "No alarm"));
    document.add(appointmentAt(dec(6, 0, 15), 0, true, ""));
    const auto due = dueReminders(document, dec(6), dec(6, 12, 55));
    ASSERT_EQ(due.size(), 2U);
    EXPECT_EQ(due[0], (Reminder{1, "Reminder: Lunch with Ann",
                                "This is your reminder for your 01:05 PM appointment."}));
    // An appointment without a description is reminded all the same.
    EXPECT_EQ(due[1],
              (Reminder{3, "Reminder: ", "This is your reminder for your 12:15 AM appointment."}));
}

TEST(Reminders, TurnedOffAlarmNeverComesBackButUndoBringsItBack) {
    PimDocument document(kClock);
    UndoHistory history(document);
    const int32_t id = document.add(appointmentAt(dec(6, 10), 15, true));
    document.setModified(false);

    EXPECT_TRUE(turnOffReminder(document, &history, id));
    EXPECT_TRUE(document.isModified());
    EXPECT_FALSE(document.appointments().find(id)->Alarm);
    EXPECT_EQ(history.undoName(), "Turn Off Reminder");
    for (const DateTime now : {dec(6, 9, 46), dec(6, 23, 59), dec(20)})
        EXPECT_TRUE(dueReminders(document, dec(6), now).empty());
    EXPECT_FALSE(stillDue(document, id, dec(6, 9, 46)));
    // Nothing left to turn off, nor anything at all.
    EXPECT_FALSE(turnOffReminder(document, &history, id));
    EXPECT_FALSE(turnOffReminder(document, &history, 99));

    history.undo();
    EXPECT_TRUE(stillDue(document, id, dec(6, 9, 46)));
}

TEST(Reminders, TurningOffKeepsWhatChangedSinceTheTick) {
    PimDocument document(kClock);
    const int32_t id = document.add(appointmentAt(dec(6, 10), 15, true));
    const auto due = dueReminders(document, dec(6), dec(6, 9, 50));
    Appointment edited = *document.appointments().find(id);
    edited.Description = "Dentist, moved room";
    document.replace(edited);

    ASSERT_EQ(due.size(), 1U);
    turnOffReminder(document, nullptr, due[0].id);
    EXPECT_EQ(document.appointments().find(id)->Description, "Dentist, moved room");
}

}  // namespace
