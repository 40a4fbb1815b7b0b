#include "organizer/Reminders.h"

#include <gtest/gtest.h>

#include "organizer/ReminderText.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "support/Records.h"

namespace {

const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};

DateTime dec(int day, int hour = 0, int minute = 0) {
    return DateTime::fromFields(2026, 12, day, hour, minute);
}

// An hour's appointment with its alarm `minutes` before the start, set or not.
Appointment alarmed(DateTime start, int minutes, bool alarm, const char* text = "Dentist") {
    Appointment a =
        appointmentAt(text, start, start + DateTimeSpan::fromParts(0, 1, 0, 0), minutes);
    a.Alarm = alarm;
    return a;
}

TEST(Reminders, DueFollowsAlarmTimeFlagAndTheDaysExaminedAndComeInAscendingIdWithTheirTexts) {
    const std::tuple<const char*, DateTime, DateTime, DateTime, int, bool, bool> cases[] = {
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
    for (const auto& [what, now, shown, start, minutes, alarm, due] : cases) {
        PimDocument document(kClock);
        document.add(alarmed(start, minutes, alarm));
        EXPECT_EQ(dueReminders(document, shown, now).size(), due ? 1U : 0U) << what;
    }

    PimDocument document(kClock);
    // Added later but earlier in the day: the order is by ID, not by time.
    document.add(alarmed(dec(6, 13, 5), 10, true, "Lunch with Ann"));
    document.add(alarmed(dec(6, 10), 10, false, "No alarm"));
    document.add(alarmed(dec(6, 0, 15), 0, true, ""));
    // An appointment without a description is reminded all the same.
    EXPECT_EQ(
        dueReminders(document, dec(6), dec(6, 12, 55)),
        (std::vector<Reminder>{
            {1, "Reminder: Lunch with Ann", "This is your reminder for your 01:05 PM appointment."},
            {3, "Reminder: ", "This is your reminder for your 12:15 AM appointment."}}));
}

TEST(Reminders, TurnedOffAlarmNeverComesBackButUndoBringsItBack) {
    PimDocument document(kClock);
    UndoHistory history(document);
    const int32_t id = document.add(alarmed(dec(6, 10), 15, true));
    const auto due = dueReminders(document, dec(6), dec(6, 9, 50));
    Appointment edited = *document.appointments().find(id);
    edited.Description = "Dentist, moved room";
    document.replace(edited);  // after the tick that found it due
    document.setModified(false);

    ASSERT_EQ(due.size(), 1U);
    EXPECT_TRUE(turnOffReminder(document, &history, due[0].id));
    EXPECT_TRUE(document.isModified());
    EXPECT_FALSE(document.appointments().find(id)->Alarm);
    EXPECT_EQ(document.appointments().find(id)->Description, "Dentist, moved room");
    EXPECT_EQ(history.undoName(), "Turn Off Reminder");
    for (const DateTime now : {dec(6, 9, 46), dec(6, 23, 59), dec(20)})
        EXPECT_TRUE(dueReminders(document, dec(6), now).empty());
    EXPECT_FALSE(stillDue(document, id, dec(6, 9, 46)));
    EXPECT_FALSE(turnOffReminder(document, &history, id)) << "nothing left to turn off";
    EXPECT_FALSE(turnOffReminder(document, &history, 99));
    history.undo();
    EXPECT_TRUE(stillDue(document, id, dec(6, 9, 46)));
}

TEST(ReminderText, CaptionKeepsSeventyNineCharactersWholeCountingStrayBytesAsOne) {
    EXPECT_EQ(reminderCaption(std::string(100, 'a')), "Reminder: " + std::string(79, 'a'));
    std::string umlauts;  // two-byte characters: 79 of them, never half of one
    for (int i = 0; i < 90; ++i)
        umlauts += "\xC3\xBC";
    EXPECT_EQ(reminderCaption(umlauts), "Reminder: " + umlauts.substr(0, 158));
    const std::string emoji = std::string(78, 'x') + "\xF0\x9F\x93\x85" + "tail";
    EXPECT_EQ(reminderCaption(emoji), "Reminder: " + emoji.substr(0, 82)) << "straddling the cut";
    EXPECT_EQ(firstCharacters("\x80\x80z", 2), "\x80\x80");
    EXPECT_EQ(firstCharacters("ab\xE2", 5), "ab\xE2");
    EXPECT_EQ(firstCharacters("", 79), "");
}

}  // namespace
