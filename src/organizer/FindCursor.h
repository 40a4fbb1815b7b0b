#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "organizer/FindIndex.h"

// One search through a FindIndex that hands its results over a little at a time, so that
// a window can show the first ones before the last are found. Valid while the index is
// unchanged.
class FindCursor {
public:
    // A cursor that finds nothing.
    FindCursor() = default;
    // Looks for `needle` (folded) in every record of `kinds`.
    FindCursor(const FindIndex& index, std::string needle, FoundKinds kinds);
    // Looks for it among `candidates` alone, in their order: what a search of the same index
    // found for a text that `needle` holds, so that a key typed on looks at nothing else.
    FindCursor(const FindIndex& index, std::string needle, std::vector<FoundRecord> candidates);

    // Looks through about `bytes` more of the texts, appending what it finds to `found`.
    void next(std::vector<FoundRecord>& found, size_t bytes);
    [[nodiscard]] bool done() const;

private:
    void scan(std::vector<FoundRecord>& found, size_t& budget);
    void check(std::vector<FoundRecord>& found, size_t& budget);

    const FindIndex* index_ = nullptr;
    std::string needle_;
    // The stretches of the text to look through (one per kind), and where the search is.
    std::vector<std::pair<size_t, size_t>> spans_;
    size_t span_ = 0;
    size_t at_ = 0;
    // When narrowing: the records to look at again, and the next of them.
    bool narrowing_ = false;
    std::vector<FoundRecord> candidates_;
    size_t candidate_ = 0;
};
