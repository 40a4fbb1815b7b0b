#include "records/DateTime.h"

#include <gtest/gtest.h>

#include <ctime>

#include "records/DatePicture.h"
#include "records/SecondsConverter.h"
#include "records/StampText.h"
#include "support/FixedLocale.h"
#include "support/ProcessGuards.h"

namespace {

CalendarFields at(int y, int mo, int d, int h, int mi, int s, int dow) {
    return {y, mo, d, h, mi, s, dow};
}

TEST(DateTime, MapsValuesToCalendarFieldsOnBothSidesOfZero) {
    // A value, its fields, and whether the fields give the value back.
    const std::tuple<double, CalendarFields, bool> cases[] = {
        {0.0, at(1899, 12, 30, 0, 0, 0, 7), true},
        {1.5, at(1899, 12, 31, 12, 0, 0, 1), true},
        {-1.25, at(1899, 12, 29, 6, 0, 0, 6), true},
        {-0.5, at(1899, 12, 30, 12, 0, 0, 7), true},
        {46362.0, at(2026, 12, 6, 0, 0, 0, 1), true},
        {DateTime::kMinValue, at(100, 1, 1, 0, 0, 0, 6), true},
        {DateTime::kMaxValue, at(9999, 12, 31, 0, 0, 0, 6), true},
        // A hair below midnight rounds up into the next day.
        {2.0 - 1e-9, at(1900, 1, 1, 0, 0, 0, 2), false},
    };
    for (const auto& [value, f, roundTrips] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(DateTime(value).fields(), std::optional(f));
        if (!roundTrips) continue;
        EXPECT_EQ(DateTime::fromFields(f.year, f.month, f.day, f.hour, f.minute, f.second),
                  DateTime(value == -0.5 ? 0.5 : value));
    }
}

TEST(DateTime, RejectsInvalidFieldsAndRangesAsTheNullValue) {
    EXPECT_TRUE(DateTime::fromFields(2026, 2, 31).isNull());
    EXPECT_TRUE(DateTime::fromFields(2026, 1, 1, 24, 0, 0).isNull());
    EXPECT_TRUE(DateTime::fromFields(9999, 12, 31, 0, 0, 1).isNull());
    EXPECT_TRUE(DateTime::fromFields(2100, 2, 29).isNull());
    EXPECT_FALSE(DateTime::fromFields(2000, 2, 29).isNull());

    DateTime value(10.0);
    EXPECT_FALSE(value.setFields(2026, 2, 31));
    EXPECT_TRUE(value.isNull());
    EXPECT_TRUE(value.setFields(2026, 2, 28, 23, 59, 59));
    // The null value has no fields and formats as empty.
    const FixedLocale locale;
    EXPECT_EQ(DateTime().year(), INT32_MIN);
    EXPECT_EQ(DateTime().formatDate(locale), "");
    EXPECT_EQ(DateTime().formatTime(locale), "");
    EXPECT_EQ(DateTime().format("%Y"), "");
    EXPECT_EQ(DateTime(3e6).formatDate(locale), "");
}

TEST(DateTime, ComparesAndAddsSpansBuiltFromPartsAcrossDaysAndZero) {
    EXPECT_LT(DateTime(-1.25), DateTime(-1.5));
    EXPECT_EQ(DateTime(-0.5), DateTime(0.5));
    EXPECT_LT(DateTime(-1.75), DateTime(0.0));
    EXPECT_LT(DateTime(DateTime::kNullValue), DateTime(DateTime::kMinValue));
    EXPECT_EQ((DateTime::fromFields(1899, 12, 29, 23, 30) + DateTimeSpan(1.0 / 24)).value(),
              DateTime::fromFields(1899, 12, 30, 0, 30).value());
    EXPECT_EQ((DateTime::fromFields(1899, 12, 30, 0, 30) - DateTimeSpan(1.0 / 24)).value(),
              DateTime::fromFields(1899, 12, 29, 23, 30).value());
    EXPECT_EQ(DateTime(0.25) - DateTimeSpan(0.5), DateTime(-1.75));
    EXPECT_EQ(DateTime(-1.25) + DateTimeSpan(1.0), DateTime(0.25));
    EXPECT_TRUE((DateTime(DateTime::kMaxValue) + DateTimeSpan(1.0)).isNull());
    EXPECT_TRUE((DateTime(1.0) + DateTimeSpan(4e6)).isNull());
    EXPECT_DOUBLE_EQ((DateTime(0.25) - DateTime(-1.25)).days(), 1.0);

    EXPECT_DOUBLE_EQ(DateTimeSpan::fromParts(1, 12, 0, 0).days(), 1.5);
    EXPECT_EQ(DateTimeSpan::fromParts(0, 1, 45, 0).minutes(), 45);
    EXPECT_EQ(DateTimeSpan::fromParts(0, 0, -15, 0).minutes(), -15);
    EXPECT_FALSE(DateTimeSpan(3615898.0).isValid());
}

TEST(DateTime, ConvertsSecondsSince1970InLocalTime) {
    const std::tuple<const char*, int64_t, CalendarFields> cases[] = {
        {"UTC0", 0, at(1970, 1, 1, 0, 0, 0, 5)},
        {"UTC0", 2147483647, at(2038, 1, 19, 3, 14, 7, 3)},
        // Past 2038: the count is 64-bit.
        {"UTC0", 4102444800, at(2100, 1, 1, 0, 0, 0, 6)},
        {"Europe/Berlin", 1782910800, at(2026, 7, 1, 15, 0, 0, 4)},   // summer time, UTC+2
        {"Europe/Berlin", 1796230800, at(2026, 12, 2, 18, 0, 0, 4)},  // winter time, UTC+1
        {"America/New_York", 1773558000, at(2026, 3, 15, 3, 0, 0, 1)},
    };
    for (const auto& [zone, seconds, local] : cases) {
        SCOPED_TRACE(std::string(zone) + " " + std::to_string(seconds));
        TzGuard guard(zone);
        const DateTime value = DateTime::fromSeconds(seconds);
        EXPECT_EQ(value.fields(), std::optional(local));
        EXPECT_EQ(value.toSeconds(), seconds);
    }
}

TEST(DateTime, SecondsConversionRefusesWhatItCannotCarry) {
    TzGuard zone("America/New_York");
    EXPECT_EQ(DateTime::fromFields(1969, 1, 1).toSeconds(), -1);
    EXPECT_TRUE(DateTime::fromSeconds(-1).isNull());
    EXPECT_EQ(DateTime().toSeconds(), -1);
    EXPECT_EQ(DateTime(3e6).toSeconds(), -1);
    // Counts past the year 9999 are null, however large, in every converter.
    const std::tuple<int64_t, bool> cases[] = {
        {253402128000, true},        // 30 December 9999, 00:00 UTC
        {253402300800, false},       // 1 January 10000
        {67768036191676799, false},  // the C library's largest year
        {67768036191676800, false}, {INT64_MAX, false},
    };
    SecondsConverter remembering, forgetful(SecondsConverter::Memory::None);
    for (const auto& [seconds, valid] : cases) {
        SCOPED_TRACE(seconds);
        EXPECT_EQ(DateTime::fromSeconds(seconds).isValid(), valid);
        EXPECT_EQ(DateTime::localFieldsAt(seconds).isValid(), valid);
        EXPECT_EQ(remembering.fromSeconds(seconds).isValid(), valid);
        EXPECT_EQ(forgetful.fromSeconds(seconds).isValid(), valid);
        EXPECT_FALSE(DateTime::localFieldsAt(-seconds).isValid());
    }
    // The spring-forward gap: 02:30 does not exist, the C library moves it an hour on.
    const int64_t gap = DateTime::fromFields(2026, 3, 8, 2, 30).toSeconds();
    EXPECT_EQ(DateTime::fromSeconds(gap), DateTime::fromFields(2026, 3, 8, 3, 30));
}

TEST(DateTime, FormatsWithStrftimeAndLocalePicturesLetterByLetter) {
    const FixedLocale locale;
    const DateTime value = DateTime::fromFields(2026, 12, 6, 9, 5, 7);
    EXPECT_EQ(value.format("%Y-%m-%d %H:%M:%S %A %j"), "2026-12-06 09:05:07 Sunday 340");
    EXPECT_EQ(value.formatDate(locale), "12/6/2026");
    EXPECT_EQ(value.formatDate(locale, DateStyle::Long), "Sunday, December 6, 2026");
    EXPECT_EQ(value.formatTime(locale, TimeStyle::NoSeconds), "9:05 AM");
    EXPECT_EQ(value.formatDate(locale, std::string(300, '-')).size(), 255u);

    const CalendarFields morning{2007, 3, 4, 0, 7, 9, 1};
    const CalendarFields evening{2026, 11, 21, 23, 45, 0, 7};
    const std::tuple<const char*, CalendarFields, const char*, const char*> cases[] = {
        {"d dd ddd dddd", morning, "4 04 Sun Sunday", "d dd ddd dddd"},
        {"M MM MMM MMMM", morning, "3 03 Mar March", "M MM MMM MMMM"},
        {"y yy yyyy", morning, "7 07 2007", "y yy yyyy"},
        {"h hh H HH m mm s ss t tt", morning, "h hh H HH m mm s ss t tt",
         "12 12 0 00 7 07 9 09 A AM"},
        {"h:mm tt", evening, "h:mm tt", "11:45 PM"},
        {"'dd ''quoted'' MM' dd", evening, "dd 'quoted' MM 21", "dd 'quoted' MM dd"},
        {"'unterminated d", evening, "unterminated d", "unterminated d"},
        {"", evening, "", ""},
    };
    for (const auto& [picture, fields, date, time] : cases) {
        SCOPED_TRACE(picture);
        EXPECT_EQ(formatDatePicture(fields, picture, locale), date);
        EXPECT_EQ(formatTimePicture(fields, picture, locale), time);
    }
}

// The state files' and listings' form is read back exactly, and nothing else is taken for it.
TEST(StampText, ReadsBackOnlyItsOwnForm) {
    const DateTime time = DateTime::fromFields(2026, 12, 6, 9, 5, 7);
    EXPECT_EQ(stampText(time), "2026-12-06 09:05:07");
    EXPECT_EQ(timeOfStamp(stampText(time)), time);
    const DateTime early = DateTime::fromFields(227, 2, 2, 0, 0, 0);
    EXPECT_EQ(timeOfStamp(stampText(early)), early);
    EXPECT_EQ(stampText(DateTime()), "");
    for (const char* other : {"", "2026-12-06 09:05", "2026-12-06T09:05:07", "2026-02-30 09:05:07",
                              "+026-12-06 09:05:07", "2026-12-06 09:05:07x", " 2026-12-06 9:05:07",
                              "2026-12-06 24:00:00"})
        EXPECT_FALSE(timeOfStamp(other).isValid()) << other;
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
        SecondsConverter remembering, forgetful(SecondsConverter::Memory::None), combined;
        // About hourly from 2011 to 2013, and from 2037 to 2039; one step off the hour so
        // that the repeated hours are hit in their middle too.
        for (const int64_t begin : {int64_t{1293840000}, int64_t{2114380800}}) {
            for (int64_t t = begin + 7; t < begin + 2 * 366 * 86400; t += 3607) {
                const DateTime local = DateTime::fromSeconds(t);  // by the C library
                ASSERT_EQ(remembering.fromSeconds(t), local) << t;
                const int64_t back = remembering.toSeconds(local);
                ASSERT_EQ(back, forgetful.toSeconds(local)) << t;
                // Back to an instant the clock shows the same way, the earliest of them.
                ASSERT_EQ(DateTime::fromSeconds(back), local) << t;
                ASSERT_LE(back, t);
                ASSERT_GE(back, t - 3 * 3600);
                // The remembered days may answer this alone; asking the library every time
                // must give the same.
                ASSERT_EQ(remembering.isLaterOfTwo(t), forgetful.isLaterOfTwo(t)) << t;
                ASSERT_EQ(forgetful.isLaterOfTwo(t), back != t) << t;
                // Both at once, as a load asks them: from the day's first instant on, from
                // what the converter remembers of it.
                bool later = back == t;
                ASSERT_EQ(combined.fromSeconds(t, later), local) << t;
                ASSERT_EQ(later, back != t) << t;
            }
        }
    }
}

TEST(SecondsConverter, ReadsSkippedTimesWithTheEarlierOffsetRepeatedOnesFirstInItsOwnZone) {
    TzGuard guard("Europe/Berlin");
    SecondsConverter converter;
    const std::tuple<DateTime, int64_t> cases[] = {
        // 29 March 2026 02:30 does not exist: read in winter time, it is 03:30 summer time.
        {DateTime::fromFields(2026, 3, 29, 2, 30), 1774747800},
        // 25 October 2026 02:30 happens twice: the summer-time one comes first.
        {DateTime::fromFields(2026, 10, 25, 2, 30), 1792888200},
        {DateTime::fromFields(2026, 10, 25, 3, 0), 1792893600},
        {DateTime::fromFields(1970, 1, 1, 0, 59, 59), -1},
        {DateTime::fromFields(1970, 1, 1, 1, 0, 0), 0},
    };
    for (const auto& [local, seconds] : cases) {
        EXPECT_EQ(converter.toSeconds(local), seconds) << local.value();
        EXPECT_EQ(local.toSeconds(), seconds) << local.value();
    }

    const auto noonIn = [](const char* zone) {
        TzGuard guard(zone);
        return SecondsConverter().toSeconds(DateTime::fromFields(2026, 7, 1, 12, 0));
    };
    EXPECT_EQ(noonIn("Europe/Berlin") - noonIn("Asia/Tokyo"), 7 * 3600);
}

}  // namespace
