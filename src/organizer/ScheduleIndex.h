#pragma once

#include <cstdint>
#include <vector>

#include "records/DateTime.h"

class PimDocument;
struct Appointment;

// The appointments that hold a schedule (a series, whole days, several days, a zone) with
// the days each covers, so that a view of a few days asks the model only about those that
// can fall on them. Rebuilt at the first query after the document changed; always asked
// about the same document.
class ScheduleIndex {
public:
    // Those whose days may meet the days from `first` to `last` (dates, both included), in
    // ascending ID; valid until the document changes.
    [[nodiscard]] std::vector<const Appointment*> meeting(const PimDocument& document,
                                                          DateTime first, DateTime last);

    // How many appointments hold a schedule, as of the last query.
    [[nodiscard]] size_t size() const { return entries_.size(); }

private:
    void rebuild(const PimDocument& document);

    struct Entry {
        const Appointment* appointment;
        double first;  // the first and the last day it covers; infinity for no end
        double last;
    };
    std::vector<Entry> entries_;
    bool built_ = false;
    uint64_t revision_ = 0;
};
