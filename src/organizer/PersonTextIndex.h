#pragma once

#include <cstdint>
#include <string>
#include <vector>

class PersonFilter;
class PimDocument;

// The searchable text of every person in one block, folded: the name, company, e-mail
// address and phone numbers, and the phone numbers' digits alone, so that "5551234" finds
// "555-1234". One pass over the block answers a filter for the whole document in a few
// milliseconds, where visiting each person's record would take many times longer.
class PersonTextIndex {
public:
    // Indexes the document's persons.
    void build(const PimDocument& document);
    // Forgets the text (after the document changed).
    void clear();
    [[nodiscard]] bool built() const { return !starts_.empty(); }

    // The IDs of the persons that pass the filter, ascending.
    [[nodiscard]] std::vector<int32_t> matchAll(const PersonFilter& filter) const;
    // Whether the person with this ID passes; false for one not indexed.
    [[nodiscard]] bool matches(int32_t id, const PersonFilter& filter) const;

private:
    std::string text_;
    std::vector<int32_t> ids_;    // ascending
    std::vector<size_t> starts_;  // where each person's text starts, then the end
};
