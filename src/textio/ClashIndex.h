#pragma once

#include <map>

#include "records/DateTime.h"

// The moments taken by appointments: the union of their closed start-to-end ranges, so
// that asking whether a moment falls within any appointment costs a logarithm, not a walk
// over every appointment.
class ClashIndex {
public:
    // Takes the range from `start` to `end`, both included; nothing when end is before start.
    void add(DateTime start, DateTime end);
    // Whether some added range holds `moment`, its ends included.
    [[nodiscard]] bool covers(DateTime moment) const;

private:
    std::map<double, double> ranges_;  // disjoint: continuous start to continuous end
};
