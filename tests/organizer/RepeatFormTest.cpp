#include "organizer/RepeatForm.h"

#include <gtest/gtest.h>

namespace {

using Kind = RepeatForm::Kind;
using MonthlyBy = RepeatForm::MonthlyBy;
using Ending = RepeatForm::Ending;

const DateTime kMonday = DateTime::fromFields(2026, 12, 7);   // the first Monday
const DateTime kFriday = DateTime::fromFields(2026, 12, 25);  // the fourth and last Friday

Schedule repeating(const char* rule) {
    Schedule schedule;
    schedule.rule = RecurrenceRule::parse(rule).value();
    return schedule;
}

TEST(RepeatForm, ShowsWhatItCanAndGivesBackTheRuleItWasOpenedOnUntilAChoiceChanges) {
    const struct {
        const char* rule;
        DateTime start;
        Kind kind;
    } cases[] = {
        {"FREQ=WEEKLY;BYDAY=MO", kMonday, Kind::Weekly},
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;UNTIL=20270331", kMonday, Kind::Weekly},
        {"FREQ=MONTHLY;BYMONTHDAY=7", kMonday, Kind::Monthly},
        {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=3", kFriday, Kind::Monthly},
        {"FREQ=YEARLY", kFriday, Kind::Yearly},
        // What the choices cannot show is kept.
        {"FREQ=MONTHLY;BYMONTHDAY=-1", kMonday, Kind::Kept},
        {"FREQ=MONTHLY;BYDAY=3FR", kFriday, Kind::Kept},
        {"FREQ=HOURLY", kMonday, Kind::Kept},
        {"FREQ=MONTHLY;BYDAY=MO,TU;BYSETPOS=-1", kMonday, Kind::Kept},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        RepeatForm form = RepeatForm::of(repeating(c.rule), c.start);
        EXPECT_EQ(form.kind(), c.kind);
        EXPECT_EQ(form.rule()->text(), RecurrenceRule::parse(c.rule)->text());
        form.setKind(Kind::None);
        EXPECT_FALSE(form.rule());
        form.setKind(c.kind);
        EXPECT_EQ(form.kind(), c.kind);
    }
}

TEST(RepeatForm, ChoicesMakeTheRuleTheirWordsSay) {
    RepeatForm weekly = RepeatForm::none(kMonday);
    weekly.setKind(Kind::Weekly);
    EXPECT_EQ(weekly.rule()->text(), "FREQ=WEEKLY");
    weekly.setInterval(2);
    weekly.setWeekday(3, true);
    weekly.setEnding(Ending::OnDate);
    weekly.setUntil(DateTime::fromFields(2027, 3, 31));
    EXPECT_EQ(weekly.rule()->text(), "FREQ=WEEKLY;UNTIL=20270331;INTERVAL=2;BYDAY=MO,TH");

    RepeatForm sundays = RepeatForm::of(repeating("FREQ=WEEKLY;INTERVAL=2;WKST=SU"), kMonday);
    sundays.setWeekday(3, true);
    EXPECT_EQ(sundays.rule()->text(), "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;WKST=SU");

    RepeatForm monthly = RepeatForm::none(kFriday);
    monthly.setKind(Kind::Monthly);
    monthly.setMonthlyBy(MonthlyBy::LastWeekday);
    monthly.setEnding(Ending::AfterCount);
    monthly.setCount(6);
    EXPECT_EQ(monthly.rule()->text(), "FREQ=MONTHLY;COUNT=6;BYDAY=-1FR");
    monthly.setMonthlyBy(MonthlyBy::NthWeekday);
    EXPECT_EQ(monthly.rule()->text(), "FREQ=MONTHLY;COUNT=6;BYDAY=4FR");
}

TEST(RepeatForm, TheStartStaysAnOccurrenceWhereverItMoves) {
    RepeatForm form = RepeatForm::none(kMonday);
    form.setKind(Kind::Weekly);
    form.setWeekday(0, false);
    EXPECT_TRUE(form.weekday(0)) << "the start's weekday cannot be left out";
    form.setWeekday(3, true);
    form.setEnding(Ending::OnDate);
    form.setUntil(kMonday - DateTimeSpan(3.0));
    EXPECT_EQ(form.until(), kMonday) << "no end before the start";

    form.setStart(DateTime::fromFields(2026, 12, 15));  // a Tuesday, after the end date
    EXPECT_EQ(std::tuple(form.weekday(0), form.weekday(1), form.weekday(3)),
              std::tuple(false, true, true));
    EXPECT_EQ(form.until(), DateTime::fromFields(2026, 12, 15));

    RepeatForm monthly = RepeatForm::none(kMonday);
    monthly.setKind(Kind::Monthly);
    monthly.setMonthlyBy(MonthlyBy::LastWeekday);
    EXPECT_EQ(monthly.monthlyBy(), MonthlyBy::Day) << "the 7th is no last Monday";
    monthly.setStart(kFriday);
    monthly.setMonthlyBy(MonthlyBy::LastWeekday);
    monthly.setStart(DateTime::fromFields(2026, 12, 18));
    EXPECT_EQ(monthly.rule()->text(), "FREQ=MONTHLY;BYDAY=3FR");
}

}  // namespace
