#include "textio/PersonImport.h"
#include "platform/Translate.h"

#include <algorithm>
#include <optional>
#include <string>

#include "records/PimDocument.h"
#include "records/RecordFields.h"
#include "textio/ImportValues.h"
#include "textio/TextTransferSpec.h"

namespace {

// A field of the import list: its spec, nullptr for the categories, which are no text of
// the person, and the text it fills when it is one.
struct ImportField {
    const FieldSpec<Person>* spec;
    PersonText text;
};

// The fields of the import list, in its order.
const std::vector<ImportField>& importFields() {
    static const auto fields = [] {
        std::vector<ImportField> list;
        for (const std::string& name : importFieldNames(TransferKind::Persons)) {
            const FieldSpec<Person>* const spec = fieldByTextName<Person>(name);
            list.push_back({spec, spec != nullptr && spec->type == FieldType::Text
                                      ? personTextOf(*spec)
                                      : PersonText::FName});
        }
        return list;
    }();
    return fields;
}

int fieldIndex(std::string_view name) {
    const auto& names = importFieldNames(TransferKind::Persons);
    return int(std::find(names.begin(), names.end(), name) - names.begin());
}

std::vector<int> fieldIndices(std::initializer_list<std::string_view> names) {
    std::vector<int> indices;
    for (const std::string_view name : names)
        indices.push_back(fieldIndex(name));
    return indices;
}

// The group names of a categories value: programs separate them by ";", "," or " ::: ".
// The labels every contact of a web mail service carries ("* myContacts") name no group
// of the user's.
void readCategories(std::string_view value, std::vector<std::string>& categories) {
    categories.clear();
    size_t from = 0;
    for (size_t at = 0; at <= value.size(); ++at) {
        size_t separator = 0;
        if (at == value.size() || value[at] == ';' || value[at] == ',') separator = 1;
        if (value.substr(at, 3) == ":::") separator = 3;
        if (separator == 0) continue;
        const std::string_view name = trimmed(value.substr(from, at - from));
        if (!name.empty() && !name.starts_with("* ") &&
            std::find(categories.begin(), categories.end(), name) == categories.end())
            categories.emplace_back(name);
        at += separator - 1;
        from = at + 1;
    }
}

bool flag(std::string_view value) {
    return isOneOf(value, {"1", "true", "yes"});
}

MonthDay yearlyDay(std::string_view value, const DateParser& dates, int thisYear) {
    value = trimmed(value, kFieldBlanks);
    if (value.empty()) return {};
    if (const auto day = MonthDay::parse(value)) return *day;
    const DateTime date = dates.parseDate(value);
    if (!date.isValid()) return {};
    // A two-digit year is read as one of 1930-2029; a day that has not yet come is a century
    // earlier ("1/2/45" is a birthday in 1945).
    int year = date.year();
    if (year > thisYear && value.find(std::to_string(year)) == std::string_view::npos) year -= 100;
    return MonthDay::make(date.month(), date.day(), year).value_or(MonthDay());
}

}  // namespace

PersonImport::PersonImport(const PimDocument& document, std::vector<int> columnOf,
                           std::vector<std::vector<int>> alternatesOf, const Locale& locale)
    : RecordImport(std::move(columnOf), std::move(alternatesOf)),
      batch_(document.contents().store<Person>()),
      groups_(document),
      dates_(locale),
      thisYear_(DateTime::now(document.clock()).year()) {
    setBlock(fieldIndices({"FirstName", "LastName", "Company"}), 0);
    setBlock(fieldIndices({"Address1", "Address2", "City", "State", "ZipCode"}), 1);
}

const char* PersonImport::importRecord(const std::vector<std::string_view>& values) {
    // Made where it is kept, unless no identifier is left: then made aside, to find out
    // why it is not taken.
    Person* const kept = batch_.addInPlace();
    std::optional<Person> aside;
    Person& person = kept != nullptr ? *kept : aside.emplace();
    person.WhitePages = 1;
    person.YellowPages = 0;
    person.Birthday = {};
    person.Anniversary = {};
    categories_.clear();
    PersonTexts texts{};  // views of `values`, taken by the person in one piece
    const auto& fields = importFields();
    forEachField(values, [&](int index, std::string_view value) {
        const ImportField& field = fields[size_t(index)];
        if (field.spec == nullptr) return readCategories(value, categories_);
        if (field.spec->type == FieldType::Flag) {
            setFlag(person, *field.spec, flag(value));
        } else if (field.spec->type == FieldType::Yearly) {
            person.*field.spec->yearly = yearlyDay(value, dates_, thisYear_);
        } else {
            texts[size_t(field.text)] = value;
        }
    });
    if (!completeImportedPerson(person, texts)) {
        if (kept != nullptr) batch_.dropLast();
        return _("no first name, last name or company");
    }
    person.PhGroups = groups_.groupsOf(categories_);
    return kept != nullptr ? nullptr : _("no identifier left");
}

static_assert(std::ranges::all_of(kFieldBlanks,
                                  [](char c) { return static_cast<unsigned char>(c) <= ' '; }));

bool completeImportedPerson(Person& person, PersonTexts texts) {
    // Every text is trimmed but the position, which keeps its spaces. The blanks are all
    // control characters or the space: an end above the space, as most are, is kept.
    const auto kept = [](char c) { return static_cast<unsigned char>(c) > ' '; };
    for (size_t i = 0; i < kPersonTextCount; ++i) {
        const std::string_view text = texts[i];
        if (text.empty() || (kept(text.front()) && kept(text.back()))) continue;
        if (PersonText(i) != PersonText::Position) texts[i] = trimmedEnds(text, kFieldBlanks);
    }
    person.setTextsNamed(texts);
    if (!person.WhitePages && !person.YellowPages) person.WhitePages = 1;
    return !person.FName().empty() || !person.LName().empty() || !person.Company().empty();
}
