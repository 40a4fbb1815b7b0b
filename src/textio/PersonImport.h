#pragma once

#include "records/DateParse.h"
#include "records/Person.h"
#include "records/PimDocument.h"
#include "textio/GroupFiling.h"
#include "textio/RecordImport.h"

// Persons: a record needs a first name, last name or company. Text is trimmed (except
// Position), the display name set, and a person in neither legacy list goes to the white
// pages. Imported persons are filed under the universal group (ID 1) when the document
// has it, as the person editor files every person: the phone book lists persons by group,
// so a person of no group would be added but never shown. A Categories column files the
// person in the groups it names as well (made when missing), as the vCard import does.
// Alternate columns fill the names only when the first name, last name and company are
// all empty, and the address only when every line of it is. A birthday or anniversary is
// read in the vCard forms ("1990-04-12", "--04-12") or the locale's date forms; a value that
// is neither (the "0/0/00" some programs write for none) is no day.
class PersonImport : public RecordImport {
public:
    // Imports into `document`, reading field f from column columnOf[f]; dates in `locale`'s
    // forms.
    PersonImport(const PimDocument& document, std::vector<int> columnOf,
                 std::vector<std::vector<int>> alternatesOf, const Locale& locale);
    // nullptr when the record was taken, otherwise why not.
    const char* importRecord(const std::vector<std::string_view>& values) override;
    void addTo(PimDocument& document) override {
        document.addTogether(std::move(groups_.added), std::move(batch_));
    }

private:
    NewRecords<Person> batch_;  // the records taken, added in one edit at the end
    GroupFiling groups_;
    std::vector<std::string> categories_;  // of the record being read
    DateParser dates_;
    int thisYear_;  // no one is born, nor married, after it
};

// What every importer does to a person before adding it: gives it `texts`, each trimmed but
// Position, with the display name made from them, and puts a person in neither legacy list
// into the white pages. False when the trimmed texts hold no first name, last name or
// company: no importer adds such a person.
[[nodiscard]] bool completeImportedPerson(Person& person, PersonTexts texts);
