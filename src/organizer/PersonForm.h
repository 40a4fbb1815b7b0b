#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/Person.h"
#include "records/PhGroup.h"

class PimDocument;

// An entry of the person editor's group list.
struct GroupChoice {
    int32_t id = 0;
    std::string desc;
    bool chosen = false;
};

// What the person editor edits: every field of one person and the groups it is filed in.
struct PersonForm {
    Person person;                    // ID 0 for a new person; its texts are in `texts`
    PersonTextFields texts;           // as they are edited
    std::vector<GroupChoice> groups;  // every group but the universal one, alphabetical
    MonthDay birthday;                // as they are edited; unset for none
    MonthDay anniversary;

    // An empty person, in no group.
    [[nodiscard]] static PersonForm forNew(const PimDocument& document);
    // The fields of a stored person, with its groups chosen.
    [[nodiscard]] static PersonForm of(const PimDocument& document, const Person& person);

    // OK is offered while the first name, last name or company is set.
    [[nodiscard]] bool canConfirm() const;
    // Chooses the group with this description (exact bytes); false when none has it.
    bool chooseGroup(const std::string& desc);
    // The person as stored: the texts, the display name made again from the names, the chosen
    // groups in list order followed by the universal group, the days (a day changed is
    // reminded of anew).
    [[nodiscard]] Person written() const;
};
