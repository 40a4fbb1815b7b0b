#include "records/SecondsConverter.h"

#include <gtest/gtest.h>

#include <ctime>

#include "support/TzGuard.h"

namespace {

// The calendar fields the C library shows for an instant.
DateTime libraryLocal(int64_t t) {
    return DateTime::fromSeconds(t);
}

TEST(SecondsConverter, AgreesWithTheCLibraryAcrossOffsetChanges) {
    // Zones with summer time, a half-hour shift, a two-hour shift, a skipped day, summer
    // time paused for a month, southern summers and none at all.
    const char* zones[] = {"Europe/Berlin",     "America/New_York", "Australia/Lord_Howe",
                           "Antarctica/Troll",  "Pacific/Apia",     "Africa/Casablanca",
                           "America/Sao_Paulo", "Asia/Kolkata",     "UTC0"};
    for (const char* zone : zones) {
        SCOPED_TRACE(zone);
        TzGuard guard(zone);
        SecondsConverter remembering;
        SecondsConverter forgetful(SecondsConverter::Memory::None);
        // About hourly from 2011 to 2013, and from 2037 to 2039; one step off the hour so
        // that the repeated hours are hit in their middle too.
        for (const int64_t begin : {int64_t{1293840000}, int64_t{2114380800}}) {
            for (int64_t t = begin + 7; t < begin + 2 * 366 * 86400; t += 3607) {
                const DateTime local = libraryLocal(t);
                ASSERT_EQ(remembering.fromSeconds(t), local) << t;
                const int64_t back = remembering.toSeconds(local);
                ASSERT_EQ(back, forgetful.toSeconds(local)) << t;
                // Back to an instant the clock shows the same way, the earliest of them.
                ASSERT_EQ(libraryLocal(back), local) << t;
                ASSERT_LE(back, t);
                ASSERT_GE(back, t - 3 * 3600);
            }
        }
    }
}

TEST(SecondsConverter, ReadsSkippedTimesWithTheEarlierOffsetAndRepeatedOnesFirst) {
    TzGuard guard("Europe/Berlin");
    SecondsConverter converter;
    struct Case {
        DateTime local;
        int64_t seconds;
    };
    const Case cases[] = {
        // 29 March 2026 02:30 does not exist: read in winter time, it is 03:30 summer time.
        {DateTime::fromFields(2026, 3, 29, 2, 30), 1774747800},
        // 25 October 2026 02:30 happens twice: the summer-time one comes first.
        {DateTime::fromFields(2026, 10, 25, 2, 30), 1792888200},
        {DateTime::fromFields(2026, 10, 25, 3, 0), 1792893600},
        {DateTime::fromFields(1970, 1, 1, 0, 59, 59), -1},
        {DateTime::fromFields(1970, 1, 1, 1, 0, 0), 0},
        {DateTime(), -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(converter.toSeconds(c.local), c.seconds) << c.local.value();
        EXPECT_EQ(c.local.toSeconds(), c.seconds) << c.local.value();
    }
    EXPECT_TRUE(converter.fromSeconds(-1).isNull());
    EXPECT_TRUE(converter.fromSeconds(int64_t{1} << 40).isNull()) << "beyond the year 9999";
}

TEST(SecondsConverter, FollowsTheZoneItWasMadeIn) {
    const auto noonIn = [](const char* zone) {
        TzGuard guard(zone);
        return SecondsConverter().toSeconds(DateTime::fromFields(2026, 7, 1, 12, 0));
    };
    EXPECT_EQ(noonIn("Europe/Berlin") - noonIn("Asia/Tokyo"), 7 * 3600);
}

}  // namespace
