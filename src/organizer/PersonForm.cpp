#include "organizer/PersonForm.h"

#include <algorithm>

#include "organizer/PhoneBookRows.h"
#include "records/PimDocument.h"

PersonForm PersonForm::forNew(const PimDocument& document) {
    PersonForm form;
    for (GroupEntry& group : sortedGroups(document, kUniversalGroupId))
        form.groups.push_back(GroupChoice{group.id, std::move(group.desc), false});
    return form;
}

PersonForm PersonForm::of(const PimDocument& document, const Person& person) {
    PersonForm form = forNew(document);
    form.person = person;
    form.texts = person.textFields();
    form.person.setTexts(PersonTexts{});  // edited in `texts` alone
    form.birthday = person.Birthday;
    form.anniversary = person.Anniversary;
    const auto& member = person.PhGroups;
    for (GroupChoice& group : form.groups)
        group.chosen = std::find(member.begin(), member.end(), group.id) != member.end();
    return form;
}

bool PersonForm::canConfirm() const {
    return !texts.FName.empty() || !texts.LName.empty() || !texts.Company.empty();
}

bool PersonForm::chooseGroup(const std::string& desc) {
    for (GroupChoice& group : groups) {
        if (group.desc == desc) {
            group.chosen = true;
            return true;
        }
    }
    return false;
}

Person PersonForm::written() const {
    Person stored = person;
    stored.setTextsNamed(texts.views());
    stored.setDate(PersonDate::Birthday, birthday);
    stored.setDate(PersonDate::Anniversary, anniversary);
    stored.PhGroups.clear();
    for (const GroupChoice& group : groups) {
        if (group.chosen) stored.PhGroups.push_back(group.id);
    }
    stored.PhGroups.push_back(kUniversalGroupId);
    return stored;
}
