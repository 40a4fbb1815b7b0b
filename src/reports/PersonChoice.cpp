#include "reports/PersonChoice.h"

#include <algorithm>

#include "organizer/CaseBlind.h"
#include "records/PimDocument.h"
#include "records/Trimmed.h"
#include "reports/AddressLines.h"

namespace {

bool inGroup(const Person& person, int32_t groupId) {
    return std::find(person.PhGroups.begin(), person.PhGroups.end(), groupId) !=
           person.PhGroups.end();
}

}  // namespace

std::string personChoiceText(const Person& person) {
    std::string text(person.RName());
    if (!person.Company().empty()) text.append(" (").append(person.Company()).append(")");
    return std::string(trimmed(text));
}

std::vector<PersonChoice> personChoices(const PimDocument& document, int32_t groupId) {
    std::vector<PersonChoice> choices;
    for (const auto& [id, person] : document.persons())
        if (inGroup(person, groupId)) choices.push_back({id, personChoiceText(person)});
    // Lines equal but for case keep the document's order, so the list is stable.
    std::stable_sort(choices.begin(), choices.end(),
                     [](const PersonChoice& a, const PersonChoice& b) {
                         return compareCaseBlind(a.text, b.text) < 0;
                     });
    return choices;
}

std::vector<Person> chosenPersons(const PimDocument& document,
                                  const std::vector<PersonChoice>& choices,
                                  const std::vector<bool>& selected) {
    std::vector<Person> persons;
    for (size_t i = 0; i < choices.size() && i < selected.size(); ++i) {
        if (!selected[i]) continue;
        if (const Person* person = document.persons().find(choices[i].id))
            persons.push_back(*person);
    }
    return persons;
}

std::vector<Person> groupMembers(const PimDocument& document, int32_t groupId) {
    std::vector<Person> persons;
    for (const auto& [id, person] : document.persons())
        if (inGroup(person, groupId)) persons.push_back(person);
    return persons;
}
