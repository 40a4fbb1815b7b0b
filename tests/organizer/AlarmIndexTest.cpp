#include "organizer/AlarmIndex.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/Clock.h"
#include "records/PimDocument.h"

namespace {

const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};

// The index must find what the walk over every appointment finds, whatever the mix of
// days, alarm times, flags, shown days and moments.
TEST(AlarmIndex, FindsExactlyWhatTheFullWalkFinds) {
    std::mt19937 random(7);
    const auto pick = [&](int n) { return static_cast<int>(random() % n); };
    PimDocument document(kClock);
    for (int i = 0; i < 400; ++i) {
        const DateTime start = DateTime::fromFields(2026, 12, 1 + pick(12), pick(24), pick(60));
        Appointment a = Appointment::createdAt(start);
        a.Description = "Appointment " + std::to_string(i);
        a.DueDate = start.date();
        a.Alarm = pick(3) != 0;
        a.AlarmTime = start - DateTimeSpan::fromParts(0, 0, pick(61) + pick(2) * 1440, 0);
        document.add(a);
    }
    AlarmIndex index;
    index.rebuild(document);

    size_t found = 0;
    for (int i = 0; i < 300; ++i) {
        const DateTime shown = DateTime::fromFields(2026, 12, 1 + pick(12));
        const DateTime now = DateTime::fromFields(2026, 12, 1 + pick(12), pick(24), pick(60));
        const auto walked = dueReminders(document, shown, now);
        EXPECT_EQ(index.dueReminders(document, shown, now), walked)
            << shown.format("%d") << " " << now.format("%d %H:%M");
        found += walked.size();
    }
    EXPECT_GT(found, 300U);  // the cases are not all empty
}

TEST(AlarmIndex, FollowsTheDocumentOnlyOnceRebuilt) {
    PimDocument document(kClock);
    Appointment a = Appointment::createdAt(DateTime::fromFields(2026, 12, 6, 10, 0));
    a.DueDate = a.StartTime.date();
    a.Alarm = true;
    const int32_t id = document.add(a);
    AlarmIndex index;
    const DateTime now = DateTime::fromFields(2026, 12, 6, 10, 0);
    EXPECT_TRUE(index.dueReminders(document, now.date(), now).empty());
    index.rebuild(document);
    EXPECT_EQ(index.dueReminders(document, now.date(), now).size(), 1U);

    // An alarm turned off in the document is never reported, even by a stale index.
    a.ID = id;
    a.Alarm = false;
    document.replace(a);
    EXPECT_TRUE(index.dueReminders(document, now.date(), now).empty());
    document.remove<Appointment>(id);
    EXPECT_TRUE(index.dueReminders(document, now.date(), now).empty());
    index.rebuild(document);
    EXPECT_EQ(index.size(), 0U);
}

}  // namespace
