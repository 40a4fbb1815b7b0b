#include "textio/ClashIndex.h"

#include <algorithm>
#include <iterator>

void ClashIndex::add(DateTime start, DateTime end) {
    double from = start.continuous();
    double to = end.continuous();
    if (to < from) return;
    auto it = ranges_.upper_bound(from);
    if (it != ranges_.begin() && std::prev(it)->second >= from) --it;
    // Swallow every range that touches the new one.
    while (it != ranges_.end() && it->first <= to) {
        from = std::min(from, it->first);
        to = std::max(to, it->second);
        it = ranges_.erase(it);
    }
    ranges_.emplace(from, to);
}

bool ClashIndex::covers(DateTime moment) const {
    const double at = moment.continuous();
    auto it = ranges_.upper_bound(at);
    if (it == ranges_.begin()) return false;
    return std::prev(it)->second >= at;
}
