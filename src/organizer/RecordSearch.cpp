#include "organizer/RecordSearch.h"

void RecordSearch::start(std::string_view typed, FoundKinds kinds) {
    PersonFilter filter(typed);
    const bool narrowing =
        done() && cursorCurrent() && kinds == kinds_ && !filter_.empty() && filter.narrows(filter_);
    filter_ = std::move(filter);
    kinds_ = kinds;
    if (narrowing) {
        cursor_ = FindCursor(index_, filter_.needle(), std::move(results_));
    } else {
        cursor_ = FindCursor();
        cursorGeneration_ = 0;
    }
    results_.clear();
}

bool RecordSearch::cursorCurrent() const {
    return cursorGeneration_ != 0 && cursorGeneration_ == index_.generation() &&
           index_.ready(document_);
}

void RecordSearch::more(size_t bytes) {
    if (filter_.empty()) return;
    if (!index_.ready(document_) && !index_.buildSome(document_, bytes)) return;
    if (!cursorCurrent()) {
        results_.clear();
        cursor_ = FindCursor(index_, filter_.needle(), kinds_);
        cursorGeneration_ = index_.generation();
    }
    cursor_.next(results_, bytes);
}

void RecordSearch::finish() {
    while (!done())
        more(SIZE_MAX);
}

bool RecordSearch::done() const {
    return filter_.empty() || (cursorCurrent() && cursor_.done());
}

void RecordSearch::release() {
    index_.clear();
    cursor_ = FindCursor();
    cursorGeneration_ = 0;
    results_.clear();
    results_.shrink_to_fit();
}
