#pragma once

#include <map>
#include <set>
#include <vector>

#include "records/DateTime.h"

struct Appointment;

// The time taken by appointments, so that asking whether a new one clashes costs a
// logarithm, not a walk over every appointment. Two appointments clash when they share
// some time: back-to-back meetings only touch and do not clash, while a repeat of the
// same appointment, even one that starts and ends at one moment, does.
//
// An appointment with a schedule takes the time of each of its occurrences, found a month
// at a time as questions reach that month, so that a series without end costs only the
// months asked about. Whole-day occurrences (a birthday, a holiday) take no time: they hold
// no hours to share.
class ClashIndex {
public:
    // Takes the time from `start` to `end`; nothing when end is before start.
    void add(DateTime start, DateTime end);
    // Takes the time of every occurrence of an appointment with a schedule, which must
    // stay as it is while the index is asked.
    void addScheduled(const Appointment& appointment);
    // Whether the time from `start` to `end` clashes with something added. Takes in the
    // occurrences of the months it looks at.
    [[nodiscard]] bool clashes(DateTime start, DateTime end);

private:
    // Whether some added span of time holds a moment strictly between `from` and `to`,
    // or `from` itself strictly inside it when the two are equal.
    [[nodiscard]] bool overlapsSpan(double from, double to) const;
    // Adds the occurrences of every day of the month holding `day`, once.
    void takeMonth(DateTime day);

    struct Scheduled {
        const Appointment* appointment;
        double first;  // the first and the last day it covers; infinity for no end
        double last;
    };

    std::map<double, double> spans_;  // start to end; interiors never overlap
    std::set<double> moments_;        // appointments that start and end at once
    std::vector<Scheduled> scheduled_;
    std::set<int> monthsTaken_;  // year * 12 + month - 1
};
