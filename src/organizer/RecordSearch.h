#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "organizer/FindCursor.h"
#include "organizer/FindIndex.h"
#include "organizer/PersonFilter.h"

class PimDocument;

// Finds records by any of their texts, without regard to case or accents, with the phone
// book filter's rule for digits: what the Find window and the find command look for. A
// search is started, then worked through a slice at a time; a document changed meanwhile
// is indexed anew and the search begun again.
class RecordSearch {
public:
    explicit RecordSearch(const PimDocument& document) : document_(document) {}

    // Indexes about `bytes` more of the document, so that the first search is quick; true
    // once the index is ready.
    bool prepare(size_t bytes) { return index_.buildSome(document_, bytes); }
    // Looks for `typed` in the records of `kinds`, forgetting what was found before; an
    // empty text finds nothing. A text that holds the last one looked for (a key typed on)
    // looks only through what that search found, when it was complete.
    void start(std::string_view typed, FoundKinds kinds = kEveryKind);
    // Does about `bytes` more work (indexing the document first where needed), adding what
    // it finds to results().
    void more(size_t bytes);
    // Works the search through to its end.
    void finish();
    [[nodiscard]] bool done() const;

    // What was found so far: persons, then appointments, then tasks, each in ascending ID.
    // A search begun again (the document changed) starts the list over.
    [[nodiscard]] const std::vector<FoundRecord>& results() const { return results_; }
    // The text looked for, folded.
    [[nodiscard]] const PersonFilter& filter() const { return filter_; }
    // Lets the index go, to free its memory; the next search makes it anew.
    void release();

private:
    [[nodiscard]] bool cursorCurrent() const;

    const PimDocument& document_;
    FindIndex index_;
    PersonFilter filter_;
    FoundKinds kinds_ = kEveryKind;
    FindCursor cursor_;
    uint64_t cursorGeneration_ = 0;  // the index build the cursor goes through; 0 for none
    std::vector<FoundRecord> results_;
};
