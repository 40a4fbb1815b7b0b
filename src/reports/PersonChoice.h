#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/Person.h"

class PimDocument;

// One line of the person-selection list: the person and the text shown for it.
struct PersonChoice {
    int32_t id = 0;
    std::string text;
    bool operator==(const PersonChoice&) const = default;
};

// The line shown for a person: "RName (Company)", or RName alone without a company,
// without blanks at either end.
[[nodiscard]] std::string personChoiceText(const Person& person);

// The members of group `groupId` as the selection list shows them: sorted by their text
// without regard to case.
[[nodiscard]] std::vector<PersonChoice> personChoices(const PimDocument& document, int32_t groupId);

// The persons of the selected lines, top to bottom; lines whose person is gone are left out.
[[nodiscard]] std::vector<Person> chosenPersons(const PimDocument& document,
                                                const std::vector<PersonChoice>& choices,
                                                const std::vector<bool>& selected);

// Every member of group `groupId`, in the document's order.
[[nodiscard]] std::vector<Person> groupMembers(const PimDocument& document, int32_t groupId);
