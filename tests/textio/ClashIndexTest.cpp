#include "textio/ClashIndex.h"

#include <gtest/gtest.h>

namespace {

DateTime hour(double h) {
    return DateTime(46000.0 + h / 24.0);
}

TEST(ClashIndex, CoversEveryMomentOfEveryRangeEndsIncluded) {
    // 20-19 covers nothing; the last range bridges the three before it.
    const std::pair<double, double> ranges[] = {{9, 10},  {12, 13},    {12.5, 14}, {9.5, 9.75},
                                                {20, 19}, {-30, -29},  {30, 31},   {32, 33},
                                                {34, 35}, {30.5, 34.5}};
    ClashIndex index;
    for (const auto& [from, to] : ranges)
        index.add(hour(from), hour(to));
    const std::pair<double, bool> cases[] = {
        {8.9, false}, {9, true},    {9.6, true},   {10, true},    {10.5, false}, {12, true},
        {13.5, true}, {14, true},   {14.1, false}, {19.5, false}, {-29.5, true}, {-28, false},
        {31.5, true}, {33.5, true}, {35, true},    {35.5, false},
    };
    for (const auto& [h, covered] : cases) {
        EXPECT_EQ(index.covers(hour(h)), covered) << h;
    }
}

}  // namespace
