#include "textio/ClashIndex.h"

#include <gtest/gtest.h>

namespace {

DateTime hour(double h) {
    return DateTime(46000.0 + h / 24.0);
}

TEST(ClashIndex, CoversEveryMomentOfEveryRangeEndsIncluded) {
    ClashIndex index;
    index.add(hour(9), hour(10));
    index.add(hour(12), hour(13));
    index.add(hour(12.5), hour(14));  // overlaps the one before
    index.add(hour(8), hour(8.5));
    index.add(hour(9.5), hour(9.75));  // inside the first
    index.add(hour(20), hour(19));     // ends before it starts: takes nothing
    index.add(hour(-30), hour(-29));   // before 30 December 1899
    const std::pair<double, bool> cases[] = {
        {7.9, false}, {8, true},     {8.5, true},   {8.75, false}, {9, true},
        {9.6, true},  {10, true},    {10.5, false}, {12, true},    {13.5, true},
        {14, true},   {14.1, false}, {19.5, false}, {-29.5, true}, {-28, false},
    };
    for (const auto& [h, covered] : cases) {
        EXPECT_EQ(index.covers(hour(h)), covered) << h;
    }
}

TEST(ClashIndex, MergesRangesThatBridgeOthers) {
    ClashIndex index;
    for (int h = 0; h < 10; h += 2)
        index.add(hour(h), hour(h + 1));
    index.add(hour(0.5), hour(8.5));
    for (const double h : {1.5, 3.5, 5.5, 7.5, 9.0})
        EXPECT_TRUE(index.covers(hour(h))) << h;
    EXPECT_FALSE(index.covers(hour(9.5)));
}

}  // namespace
