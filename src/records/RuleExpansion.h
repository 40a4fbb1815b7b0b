#pragma once

#include <cstdint>
#include <vector>

#include "records/RecurrenceRule.h"

// Bounds the work of one query: a rule that never meets, or one that repeats every second
// for centuries, costs no more than this many periods of its frequency, and a query that
// ran out says so.
struct ExpansionBudget {
    int64_t steps = 200'000;  // periods one query may still look at
    bool exhausted = false;   // set when a query stopped for the bound
    // Takes one step; false, setting `exhausted`, when none is left.
    bool take() {
        if (steps <= 0) return !(exhausted = true);
        --steps;
        return true;
    }
};

// The starts a repeat rule makes, as wall-clock seconds since 1970-01-01 00:00 (no zone:
// the series' own wall clock). RFC 5545's rules, the defaults taken from the first start:
// a monthly rule on the 31st skips the shorter months, a yearly one on 29 February the
// common years.
class RuleExpansion {
public:
    // `first`: the series' first start (DTSTART), from which the rule counts.
    RuleExpansion(const RecurrenceRule& rule, int64_t first);

    // The starts at or after `from` and before `to`, ascending, at most `limit`; none
    // before `first` or after `until`, the last start it may make in wall seconds (INT64_MAX
    // for none): the caller turns a UTC UNTIL into the wall time of the series, and a COUNT
    // into a last start with lastStart. Looks at no more periods than the budget allows.
    [[nodiscard]] std::vector<int64_t> starts(int64_t from, int64_t to, int64_t until, size_t limit,
                                              ExpansionBudget& budget) const;

    // The last start of a counted rule, INT64_MIN when it makes none; unbounded rules give
    // INT64_MAX. The first start counts as the first occurrence, made by the rule or not.
    [[nodiscard]] int64_t lastStart(int64_t until, ExpansionBudget& budget) const;

    // Whether no date can ever meet the rule's parts (30 February, the 6th Monday of a
    // month), so that a search need not run.
    [[nodiscard]] bool neverMeets() const;

private:
    struct Day;
    // The candidate starts of period `k` (ascending), BYSETPOS applied.
    void periodStarts(int64_t k, std::vector<int64_t>& out) const;
    [[nodiscard]] bool dayMatches(const Day& day) const;
    // The period holding wall second `t`.
    [[nodiscard]] int64_t periodOf(int64_t t) const;

    RecurrenceRule rule_;
    int64_t first_;
    int64_t firstDay_;  // days since 1970 of the first start
    int firstYear_ = 1970, firstMonth_ = 1;
    int64_t firstWeekStart_ = 0;  // day number of the week-start day of the first week
    std::vector<int> hours_, minutes_, seconds_;  // sorted; empty: the period's own
};
