#include "organizer/AlarmIndex.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/FixedLocale.h"
#include "support/Records.h"
#include "support/SeriesRecords.h"

namespace {

const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
const FixedLocale kLocale;

// Whatever the mix of days, alarm times, flags, last ticks and moments, the index finds
// what the walk over every appointment finds.
TEST(AlarmIndex, FindsExactlyWhatTheFullWalkFinds) {
    std::mt19937 random(7);
    const auto pick = [&](int n) { return static_cast<int>(random() % n); };
    const auto when = [&] {
        return DateTime::fromFields(2026, 12, 1 + pick(12), pick(24), pick(60));
    };
    PimDocument document(kClock);
    for (int i = 0; i < 400; ++i) {
        const DateTime start = when();
        Appointment a = appointmentAt("Appointment", start, start, pick(61) + pick(2) * 1440);
        a.Alarm = pick(3) != 0;
        document.add(a);
    }
    // Series of every kind the index treats apart: counted or not, some alarms turned off,
    // an occurrence with an alarm of its own, whole days, several days.
    const char* rules[] = {"FREQ=DAILY", "FREQ=WEEKLY", "FREQ=HOURLY;INTERVAL=5",
                           "FREQ=DAILY;COUNT=4", "FREQ=DAILY;INTERVAL=3"};
    for (int i = 0; i < 60; ++i) {
        const DateTime start = when() - DateTimeSpan(3);
        Appointment a = appointmentAt(
            "Series", start, start + DateTimeSpan::fromParts(0, 0, pick(3) * 900, 0), pick(61));
        a.Alarm = pick(4) != 0;
        a = repeating(a, rules[pick(5)]);
        Schedule& schedule = a.schedule.edit();
        if (pick(4) == 0) schedule.remindedUntil = when();
        if (pick(4) == 0) schedule.allDay = true;
        if (pick(3) == 0) {
            const DateTime replaced = start + DateTimeSpan(1);
            const DateTime moved = when();
            schedule.changed = {{replaced, moved, moved, "Moved", pick(2) == 0, pick(120)}};
        }
        document.add(a);
    }
    AlarmIndex index;
    index.rebuild(document);
    size_t found = 0;
    for (int i = 0; i < 300; ++i) {
        const DateTime now = when();
        // The catch-up, a tick a minute before, or one after a sleep.
        const DateTime since =
            pick(3) == 0 ? DateTime() : now - DateTimeSpan::fromParts(0, 0, 1 + pick(3000), 0);
        const auto walked = dueReminders(document, since, now, kLocale);
        EXPECT_EQ(index.dueReminders(document, since, now, kLocale), walked)
            << (since.isNull() ? "-" : since.format("%d %H:%M")) << " " << now.format("%d %H:%M");
        found += walked.size();
    }
    EXPECT_GT(found, 300U) << "the cases are not all empty";
    // As the clock runs, the series move on to their next alarms and still agree.
    DateTime since;
    for (int minute = 0; minute < 8 * 1440; minute += 7) {
        const DateTime now =
            DateTime::fromFields(2026, 12, 6) + DateTimeSpan::fromParts(0, 0, minute, 0);
        EXPECT_EQ(index.dueReminders(document, since, now, kLocale),
                  dueReminders(document, since, now, kLocale))
            << now.format("%d %H:%M");
        since = now;
    }
}

TEST(AlarmIndex, FollowsTheDocumentOnlyOnceRebuiltButNeverReportsAnAlarmTurnedOff) {
    PimDocument document(kClock);
    const DateTime now = DateTime::fromFields(2026, 12, 6, 10, 0);
    Appointment a = appointmentAt("", now, now, 0);
    a.ID = document.add(a);
    AlarmIndex index;
    EXPECT_TRUE(index.dueReminders(document, {}, now, kLocale).empty());
    index.rebuild(document);
    EXPECT_EQ(index.dueReminders(document, {}, now, kLocale).size(), 1U);
    a.Alarm = false;
    document.replace(a);
    EXPECT_TRUE(index.dueReminders(document, {}, now, kLocale).empty()) << "stale index";
    document.remove<Appointment>(a.ID);
    EXPECT_TRUE(index.dueReminders(document, {}, now, kLocale).empty());
    index.rebuild(document);
    EXPECT_EQ(index.size(), 0U);
}

}  // namespace
