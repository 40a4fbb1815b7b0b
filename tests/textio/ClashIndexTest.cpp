#include "textio/ClashIndex.h"

#include <gtest/gtest.h>

namespace {

DateTime hour(double h) {
    return DateTime(46000.0 + h / 24.0);
}

TEST(ClashIndex, SharedTimeClashesTouchingDoesNot) {
    // 20-19 takes nothing; 30.5-34.5 bridges the three before it; 40 is a moment.
    const std::pair<double, double> taken[] = {{9, 10},  {20, 19},     {30, 31}, {32, 33},
                                               {34, 35}, {30.5, 34.5}, {40, 40}, {10, 10.5}};
    ClashIndex index;
    for (const auto& [from, to] : taken)
        index.add(hour(from), hour(to));
    struct Case {
        double from, to;
        bool clashes;
    };
    const Case cases[] = {
        {8, 9, false},    {10.5, 11, false},    {9.75, 11, true}, {8, 15, true},  {9, 9, false},
        {9.5, 9.5, true}, {33.5, 33.75, true},  {35, 36, false},  {40, 40, true}, {39, 41, true},
        {39, 40, false},  {10.25, 10.25, true}, {19, 21, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(index.clashes(hour(c.from), hour(c.to)), c.clashes) << c.from << "-" << c.to;
}

}  // namespace
