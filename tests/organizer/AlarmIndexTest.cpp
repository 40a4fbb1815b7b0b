#include "organizer/AlarmIndex.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/Records.h"

namespace {

const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};

// Whatever the mix of days, alarm times, flags, shown days and moments, the index finds
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
    AlarmIndex index;
    index.rebuild(document);
    size_t found = 0;
    for (int i = 0; i < 300; ++i) {
        const DateTime shown = DateTime::fromFields(2026, 12, 1 + pick(12)), now = when();
        const auto walked = dueReminders(document, shown, now);
        EXPECT_EQ(index.dueReminders(document, shown, now), walked)
            << shown.format("%d") << " " << now.format("%d %H:%M");
        found += walked.size();
    }
    EXPECT_GT(found, 300U) << "the cases are not all empty";
}

TEST(AlarmIndex, FollowsTheDocumentOnlyOnceRebuiltButNeverReportsAnAlarmTurnedOff) {
    PimDocument document(kClock);
    const DateTime now = DateTime::fromFields(2026, 12, 6, 10, 0);
    Appointment a = appointmentAt("", now, now, 0);
    a.ID = document.add(a);
    AlarmIndex index;
    EXPECT_TRUE(index.dueReminders(document, now.date(), now).empty());
    index.rebuild(document);
    EXPECT_EQ(index.dueReminders(document, now.date(), now).size(), 1U);
    a.Alarm = false;
    document.replace(a);
    EXPECT_TRUE(index.dueReminders(document, now.date(), now).empty()) << "stale index";
    document.remove<Appointment>(a.ID);
    EXPECT_TRUE(index.dueReminders(document, now.date(), now).empty());
    index.rebuild(document);
    EXPECT_EQ(index.size(), 0U);
}

}  // namespace
