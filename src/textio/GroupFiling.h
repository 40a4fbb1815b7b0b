#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "records/NewRecords.h"
#include "records/PhGroup.h"

class PimDocument;

// Files imported persons in the groups their categories name: finds the groups of the
// document by their exact names and makes the missing ones, to be added with the persons.
class GroupFiling {
public:
    explicit GroupFiling(const PimDocument& document);

    // The groups of a person with these categories: theirs, then the universal group when
    // the document has it, as the person editor files every person.
    std::vector<int32_t> groupsOf(const std::vector<std::string>& categories);

    NewRecords<PhGroup> added;  // the groups made, not yet in the document

private:
    bool hasUniversal_;
    std::unordered_map<std::string, int32_t> byName_;
};
