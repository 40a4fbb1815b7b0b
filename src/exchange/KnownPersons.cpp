#include "exchange/KnownPersons.h"

#include <array>

namespace {

constexpr std::array kContacts = {PersonText::HmPhone, PersonText::WkPhone,  PersonText::Fax,
                                  PersonText::Pager,   PersonText::CelPhone, PersonText::EMail};

}  // namespace

bool samePerson(const Person& a, const Person& b) {
    if (!a.uid.empty() && !b.uid.empty()) return sameKeptUid(a.uid, b.uid);
    if (a.FName() != b.FName() || a.LName() != b.LName()) return false;
    if (a.FName().empty() && a.LName().empty() &&
        (a.Company().empty() || a.Company() != b.Company()))
        return false;
    bool aHas = false, bHas = false;
    for (const PersonText field : kContacts) {
        const std::string_view x = a.text(field);
        if (!x.empty() && x == b.text(field)) return true;
        aHas = aHas || !x.empty();
        bHas = bHas || !b.text(field).empty();
    }
    return !(aHas && bHas);
}

KnownPersons::KnownPersons(const RecordStore<Person>& persons) {
    for (const auto& [id, person] : persons) {
        if (!person.uid.empty()) uids_.insert(person.uid);
        byName_.emplace(keyOf(person), &person);
    }
}

KnownPersons::Key KnownPersons::keyOf(const Person& p) {
    // The company counts only for a person without a name.
    const bool named = !p.FName().empty() || !p.LName().empty();
    return {p.FName(), p.LName(), named ? std::string_view() : p.Company()};
}

bool KnownPersons::holds(const Person& person) const {
    if (!person.uid.empty() && uids_.contains(person.uid)) return true;
    const auto [first, last] = byName_.equal_range(keyOf(person));
    for (auto it = first; it != last; ++it) {
        if (samePerson(person, *it->second)) return true;
    }
    return false;
}
