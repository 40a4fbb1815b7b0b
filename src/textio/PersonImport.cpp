#include "textio/PersonImport.h"

#include <optional>

#include "records/PimDocument.h"
#include "records/RecordFields.h"
#include "textio/ImportValues.h"
#include "textio/TextTransferSpec.h"

namespace {

constexpr int32_t kUniversalGroup = 1;

// The fields of the import list, in its order.
const std::vector<const FieldSpec<Person>*>& importFields() {
    static const auto fields = [] {
        std::vector<const FieldSpec<Person>*> list;
        for (const std::string& name : importFieldNames(TransferKind::Persons))
            list.push_back(fieldByTextName<Person>(name));
        return list;
    }();
    return fields;
}

bool flag(std::string_view value) {
    return isOneOf(value, {"1", "true", "yes"});
}

bool namesThePerson(std::string Person::*field) {
    return field == &Person::FName || field == &Person::LName || field == &Person::Company;
}

// completeImportedPerson for a person whose texts are trimmed already.
void completeTrimmedPerson(Person& person) {
    person.RName = person.displayName();
    if (!person.WhitePages && !person.YellowPages) person.WhitePages = 1;
}

}  // namespace

PersonImport::PersonImport(const PimDocument& document, std::vector<int> columnOf)
    : RecordImport(std::move(columnOf)),
      batch_(document.contents().store<Person>()),
      universalGroup_(document.phGroups().contains(kUniversalGroup)) {}

const char* PersonImport::importRecord(const std::vector<std::string_view>& values) {
    // Made where it is kept, unless no identifier is left: then made aside, to find out
    // why it is not taken.
    Person* const kept = batch_.addInPlace();
    std::optional<Person> aside;
    Person& person = kept != nullptr ? *kept : aside.emplace();
    person.WhitePages = 1;
    person.YellowPages = 0;
    bool named = false;
    forEachField(values, [&](int index, std::string_view value) {
        const FieldSpec<Person>& field = *importFields()[size_t(index)];
        if (field.type == FieldType::Flag) {
            setFlag(person, field, flag(value));
        } else {
            // Every text is trimmed but the position, which keeps its spaces. Made from
            // the value at once, the text takes no more memory than it needs.
            person.*field.text =
                std::string(field.text == &Person::Position ? value : trimmed(value, kFieldBlanks));
            named |= !value.empty() && namesThePerson(field.text);
        }
    });
    if (!named) {
        if (kept != nullptr) batch_.dropLast();
        return "no first name, last name or company";
    }
    completeTrimmedPerson(person);
    if (universalGroup_) person.PhGroups = {kUniversalGroup};
    return kept != nullptr ? nullptr : "no identifier left";
}

void completeImportedPerson(Person& person) {
    // Every text is trimmed but the position, which keeps its spaces.
    for (const FieldSpec<Person>& field : recordFields<Person>()) {
        if (field.type == FieldType::Text && field.text != &Person::Position)
            trimInPlace(person.*field.text);
    }
    completeTrimmedPerson(person);
}
