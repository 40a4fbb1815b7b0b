#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "exchange/RecordUids.h"
#include "records/Person.h"
#include "records/RecordStore.h"

// Whether two persons are the same one, told as sync tells them: by UID when both keep one;
// otherwise by the same first and last name (or company, for a person without a name) and,
// where both have any, one e-mail address or phone number in common.
[[nodiscard]] bool samePerson(const Person& a, const Person& b);

// The persons a document held before an import, to tell a card of one of them from a new
// person.
class KnownPersons {
public:
    explicit KnownPersons(const RecordStore<Person>& persons);

    // Whether the document holds `person` already.
    [[nodiscard]] bool holds(const Person& person) const;

private:
    using Key = std::tuple<std::string_view, std::string_view, std::string_view>;
    [[nodiscard]] static Key keyOf(const Person& person);

    std::set<std::string_view, KeptUidOrder> uids_;
    std::multimap<Key, const Person*> byName_;
};
