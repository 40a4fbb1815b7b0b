#include "organizer/FindCursor.h"

#include <algorithm>
#include <string_view>

FindCursor::FindCursor(const FindIndex& index, std::string needle, FoundKinds kinds)
    : index_(&index), needle_(std::move(needle)) {
    for (size_t k = 0; k < kFoundKindCount; ++k) {
        if (!kinds.test(k)) continue;
        const FindIndex::Range entries = index.range(static_cast<FoundKind>(k));
        if (entries.first < entries.last)
            spans_.emplace_back(index.start(entries.first), index.start(entries.last));
    }
}

FindCursor::FindCursor(const FindIndex& index, std::string needle,
                       std::vector<FoundRecord> candidates)
    : index_(&index),
      needle_(std::move(needle)),
      narrowing_(true),
      candidates_(std::move(candidates)) {}

bool FindCursor::done() const {
    if (needle_.empty()) return true;
    return narrowing_ ? candidate_ == candidates_.size() : span_ == spans_.size();
}

void FindCursor::next(std::vector<FoundRecord>& found, size_t bytes) {
    if (needle_.empty()) return;
    size_t budget = std::max<size_t>(bytes, 1);
    if (narrowing_)
        check(found, budget);
    else
        scan(found, budget);
}

void FindCursor::scan(std::vector<FoundRecord>& found, size_t& budget) {
    const std::string_view text = index_->text();
    while (span_ < spans_.size() && budget > 0) {
        const auto [first, last] = spans_[span_];
        at_ = std::max(at_, first);
        // A match starting within the budget may end past it.
        const size_t windowEnd = at_ + std::min(budget, last - at_);
        const size_t searchEnd = std::min(last, windowEnd + needle_.size() - 1);
        const size_t match = text.substr(0, searchEnd).find(needle_, at_);
        size_t resume = windowEnd;
        if (match != std::string_view::npos) {
            const uint32_t entry = index_->entryAt(match);
            found.push_back(index_->foundAt(entry, match));
            // A record is found once: on to the next one's text.
            resume = index_->start(entry + 1);
        }
        budget -= std::min(budget, resume - at_);
        at_ = resume;
        if (at_ >= last) ++span_;
    }
}

void FindCursor::check(std::vector<FoundRecord>& found, size_t& budget) {
    const std::string_view text = index_->text();
    while (candidate_ < candidates_.size() && budget > 0) {
        const uint32_t entry = candidates_[candidate_++].entry;
        const size_t start = index_->start(entry);
        const size_t end = index_->start(entry + 1);
        const size_t match = text.substr(start, end - start).find(needle_);
        if (match != std::string_view::npos) found.push_back(index_->foundAt(entry, start + match));
        budget -= std::min(budget, end - start);
    }
}
