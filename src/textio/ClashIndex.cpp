#include "textio/ClashIndex.h"

#include <algorithm>
#include <iterator>

void ClashIndex::add(DateTime start, DateTime end) {
    double from = start.continuous();
    double to = end.continuous();
    if (to < from) return;
    if (to == from) {
        moments_.insert(from);
        return;
    }
    // Swallow every span that shares time with the new one; spans that only touch it
    // stay apart, so that their common end is still free for a moment-long appointment.
    auto it = spans_.lower_bound(from);
    if (it != spans_.begin() && std::prev(it)->second > from) --it;
    while (it != spans_.end() && it->first < to) {
        from = std::min(from, it->first);
        to = std::max(to, it->second);
        it = spans_.erase(it);
    }
    spans_.emplace(from, to);
}

bool ClashIndex::overlapsSpan(double from, double to) const {
    // Spans never overlap, so the one starting last before `to` ends last among them.
    const auto it = spans_.lower_bound(to);
    if (it == spans_.begin()) return false;
    return std::prev(it)->second > from;
}

bool ClashIndex::clashes(DateTime start, DateTime end) const {
    const double from = start.continuous();
    const double to = std::max(from, end.continuous());
    if (overlapsSpan(from, to)) return true;
    if (from == to) return moments_.count(from) != 0;
    // A moment-long appointment strictly inside the new one.
    const auto moment = moments_.upper_bound(from);
    return moment != moments_.end() && *moment < to;
}
