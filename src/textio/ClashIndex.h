#pragma once

#include <map>
#include <set>

#include "records/DateTime.h"

// The time taken by appointments, so that asking whether a new one clashes costs a
// logarithm, not a walk over every appointment. Two appointments clash when they share
// some time: back-to-back meetings only touch and do not clash, while a repeat of the
// same appointment, even one that starts and ends at one moment, does.
class ClashIndex {
public:
    // Takes the time from `start` to `end`; nothing when end is before start.
    void add(DateTime start, DateTime end);
    // Whether the time from `start` to `end` clashes with something added.
    [[nodiscard]] bool clashes(DateTime start, DateTime end) const;

private:
    // Whether some added span of time holds a moment strictly between `from` and `to`,
    // or `from` itself strictly inside it when the two are equal.
    [[nodiscard]] bool overlapsSpan(double from, double to) const;

    std::map<double, double> spans_;  // start to end; interiors never overlap
    std::set<double> moments_;        // appointments that start and end at once
};
