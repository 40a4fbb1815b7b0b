#include "organizer/Reminders.h"

#include <gtest/gtest.h>

#include "records/DocumentDoor.h"

#include "organizer/ReminderText.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "support/Collect.h"
#include "support/FixedLocale.h"
#include "support/Records.h"
#include "support/SeriesRecords.h"

namespace {

const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
const FixedLocale kLocale;

DateTime dec(int day, int hour = 0, int minute = 0) {
    return DateTime::fromFields(2026, 12, day, hour, minute);
}

// A reminder on one line, every field: "ID key start | caption | message | missed line".
std::string picture(const Reminder& r) {
    const auto when = [](DateTime t) { return t.isNull() ? "-" : t.format("%Y-%m-%d %H:%M"); };
    return std::to_string(r.id) + " " + when(r.key) + " " + when(r.start) + " | " + r.caption +
           " | " + r.message + " | " + r.missedLine;
}
std::vector<std::string> pictures(const std::vector<Reminder>& reminders) {
    return collect(reminders, picture);
}

// An hour's appointment with its alarm `minutes` before the start, set or not.
Appointment alarmed(DateTime start, int minutes, bool alarm, const char* text = "Dentist") {
    Appointment a =
        appointmentAt(text, start, start + DateTimeSpan::fromParts(0, 1, 0, 0), minutes);
    a.Alarm = alarm;
    return a;
}

// Due by its alarm time and flag while not over; once over, only in the tick that follows
// its alarm, or in the catch-up (a null last tick) within the day after it. The day shown
// plays no part.
TEST(Reminders, DueWhileNotOverOrRungSinceTheLastTickAndComeInAscendingIdWithTheirTexts) {
    // What, now, the last tick, the start (an hour long), minutes, flag, due, and missed.
    const std::tuple<const char*, DateTime, DateTime, DateTime, int, bool, bool, bool> cases[] = {
        {"at the alarm time", dec(6, 9, 45), {}, dec(6, 10), 15, true, true, false},
        {"a minute early", dec(6, 9, 44), {}, dec(6, 10), 15, true, false, false},
        {"flag clear", dec(6, 9, 50), {}, dec(6, 10), 15, false, false, false},
        {"not over: again at each tick", dec(6, 10, 30), dec(6, 10, 29), dec(6, 10), 15, true, true,
         false},
        {"over: not again at the next tick", dec(6, 12), dec(6, 11, 59), dec(6, 10), 15, true,
         false, false},
        {"over: caught up on opening", dec(6, 12), {}, dec(6, 10), 15, true, true, true},
        {"over: slept through", dec(6, 12), dec(6, 9, 30), dec(6, 10), 15, true, true, true},
        {"over a day ago", dec(6, 12), {}, dec(5, 10), 15, true, false, false},
        {"slept over a week: a day only", dec(6, 12), dec(1), dec(5, 10), 15, true, false, false},
        {"tomorrow 00:15, 60 minutes, at 23:15", dec(6, 23, 15), dec(6, 23, 14), dec(7, 0, 15), 60,
         true, true, false},
        // Created with its alarm already behind it: reminded at the next tick.
        {"next week, alarm already past", dec(6, 9, 50), dec(6, 9, 49), dec(13, 10), 60 * 24 * 8,
         true, true, false},
    };
    for (const auto& [what, now, since, start, minutes, alarm, due, missed] : cases) {
        PimDocument document(kClock);
        document.add(alarmed(start, minutes, alarm));
        const auto found = dueReminders(document, since, now, kLocale);
        ASSERT_EQ(found.size(), due ? 1U : 0U) << what;
        if (due) {
            EXPECT_EQ(found[0].missedLine.empty(), !missed) << what;
        }
    }

    PimDocument document(kClock);
    // Added later but earlier in the day: the order is by ID, not by time.
    document.add(alarmed(dec(6, 13, 5), 10, true, "Lunch with Ann"));
    document.add(alarmed(dec(6, 10), 10, false, "No alarm"));
    document.add(alarmed(dec(6, 0, 15), 0, true, ""));
    document.add(repeating(wholeDays("Fair", dec(5), dec(5)), "FREQ=YEARLY"));
    Appointment fair = *document.appointments().find(4);
    fair.Alarm = true;
    fair.AlarmTime = dec(5, 18);
    document.replace(fair);
    // An appointment without a description is reminded all the same; those over are
    // listed by their dates.
    EXPECT_EQ(
        pictures(dueReminders(document, {}, dec(6, 12, 55), kLocale)),
        (std::vector<std::string>{
            "1 - 2026-12-06 13:05 | Reminder: Lunch with Ann | This is your reminder for your "
            "01:05 PM appointment. | ",
            "3 - 2026-12-06 00:15 | Reminder:  | This is your reminder for your 12:15 AM "
            "appointment. | Sunday, December 6, 2026, 12:15 AM: ",
            "4 2026-12-05 00:00 2026-12-05 00:00 | Reminder: Fair | This is your reminder for your "
            "all-day appointment on Saturday, December 5, 2026. | Saturday, December 5, "
            "2026, all day: Fair"}));
}

// Daily at 10:00 from 1 December, its alarm 15 minutes before.
Appointment dailyAtTen() {
    return repeating(alarmed(dec(1, 10), 15, true, "Standup"), "FREQ=DAILY");
}

TEST(Reminders, EachOccurrenceRingsWhileNotOverTheLatestOfASeriesOnly) {
    // Now, the last tick, and the start of the occurrence reminded (null: none).
    const std::tuple<const char*, DateTime, DateTime, DateTime> cases[] = {
        {"at its alarm", dec(6, 9, 45), dec(6, 9, 44), dec(6, 10)},
        {"a minute early", dec(6, 9, 44), dec(6, 9, 43), {}},
        {"over, at the next tick", dec(6, 23, 0), dec(6, 22, 59), {}},
        {"over, caught up on opening", dec(6, 23, 0), {}, dec(6, 10)},
        {"the next day before its alarm", dec(7, 9, 0), dec(7, 8, 59), {}},
        {"the series not yet begun", dec(1, 9, 0), {}, {}},
    };
    for (const auto& [what, now, since, start] : cases) {
        PimDocument document(kClock);
        document.add(dailyAtTen());
        const auto due = dueReminders(document, since, now, kLocale);
        EXPECT_EQ(due.empty() ? DateTime() : due[0].start, start) << what;
        EXPECT_EQ(due.empty() ? DateTime() : due[0].key, start) << what;
    }

    // Hourly with its alarms never turned off: only the last one rung asks.
    PimDocument document(kClock);
    document.add(repeating(alarmed(dec(6, 9), 15, true, "Hourly"), "FREQ=HOURLY"));
    EXPECT_EQ(pictures(dueReminders(document, {}, dec(6, 10, 50), kLocale)),
              std::vector<std::string>{"1 2026-12-06 11:00 2026-12-06 11:00 | Reminder: Hourly | "
                                       "This is your reminder for your "
                                       "11:00 AM appointment on Sunday, December 6, 2026. | "});
}

// A single appointment's alarm goes off; a series' occurrence alone, the next ones still
// ring. Either is one step, undone like any other.
TEST(Reminders, TurningOffEndsTheAlarmOrTheOccurrenceAndUndoBringsItBack) {
    for (const bool series : {false, true}) {
        SCOPED_TRACE(series ? "series" : "single");
        PimDocument document(kClock);
        UndoHistory history(document);
        DocumentDoor door(document, &history);
        const int32_t id = document.add(series ? dailyAtTen() : alarmed(dec(6, 10), 15, true));
        const auto due = dueReminders(document, dec(6), dec(6, 9, 50), kLocale);
        ASSERT_EQ(due.size(), 1U);
        Appointment edited = *document.appointments().find(id);
        edited.Description = "Moved room";
        document.replace(edited);  // after the tick that found it due
        document.setModified(false);

        EXPECT_TRUE(turnOffReminder(door, due[0]));
        EXPECT_TRUE(document.isModified());
        EXPECT_EQ(history.undoName(), "Turn Off Reminder");
        const Appointment after = *document.appointments().find(id);
        EXPECT_EQ(std::pair(after.Alarm, after.Description), std::pair(series, edited.Description));
        for (const DateTime now : {dec(6, 9, 46), dec(6, 23, 59)})
            EXPECT_TRUE(dueReminders(document, dec(6), now, kLocale).empty());
        EXPECT_FALSE(stillDue(document, due[0], dec(6, 9, 46)));
        EXPECT_FALSE(turnOffReminder(door, due[0])) << "nothing left to turn off";
        if (series) {
            EXPECT_EQ(after.schedule.get().remindedUntil, dec(6, 9, 45));
            const auto tomorrow = dueReminders(document, dec(7), dec(7, 9, 45), kLocale);
            ASSERT_EQ(tomorrow.size(), 1U);
            EXPECT_EQ(tomorrow[0].key, dec(7, 10));
            // Gone meanwhile: the occurrence taken out, or the series no longer repeating.
            Appointment changed = after;
            changed.schedule.edit().removed = {dec(7, 10)};
            document.replace(changed);
            EXPECT_FALSE(stillDue(document, tomorrow[0], dec(7, 9, 45)));
            EXPECT_FALSE(turnOffReminder(door, tomorrow[0]));
            changed.schedule.edit().rule.reset();
            changed.schedule.edit().removed.clear();
            document.replace(changed);
            EXPECT_FALSE(turnOffReminder(door, tomorrow[0]));
            history.undo();
            history.undo();
        } else {
            Reminder gone;
            gone.id = 99;
            EXPECT_FALSE(turnOffReminder(door, gone));
        }
        history.undo();
        EXPECT_TRUE(stillDue(document, due[0], dec(6, 9, 46)));
    }
}

TEST(ReminderText, AMissedLineKeepsTheLocalesClock) {
    struct German : FixedLocale {
        std::string shortTimePicture() const override { return "HH:mm"; }
    } german;
    EXPECT_EQ(missedReminderLine(dec(6, 16, 15), false, "Dentist", german),
              "Sunday, December 6, 2026, 16:15: Dentist");
    EXPECT_EQ(missedReminderLine(dec(6, 16, 15), false, "Dentist", kLocale),
              "Sunday, December 6, 2026, 04:15 PM: Dentist");
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
