#include "textio/PersonImport.h"

#include "records/PimDocument.h"
#include "textio/ImportValues.h"

namespace {

// The text fields in the order of the import field list; nullptr marks the two flags.
std::string Person::*const kFields[] = {
    &Person::FName,   &Person::LName,    &Person::Addr1,    &Person::Addr2,   &Person::City,
    &Person::State,   &Person::Zip,      &Person::HmPhone,  &Person::WkPhone, &Person::WkExt,
    &Person::Fax,     &Person::Pager,    &Person::CelPhone, &Person::EMail,   &Person::WebPage,
    &Person::Company, &Person::Position, nullptr,           nullptr,          &Person::Notes,
};
constexpr int kFirstName = 0, kLastName = 1, kCompany = 15, kPosition = 16, kWhitePages = 17,
              kYellowPages = 18;

bool flag(const std::string& value) {
    return isOneOf(value, {"1", "true", "yes"});
}

}  // namespace

PersonImport::PersonImport(const PimDocument& document, std::vector<int> columnOf)
    : RecordImport(std::move(columnOf)), batch_(document) {}

const char* PersonImport::importRecord(const std::vector<std::string>& values) {
    Person person;
    person.WhitePages = 1;
    person.YellowPages = 0;
    bool named = false;
    forEachField(values, [&](int field, const std::string& value) {
        if (field == kWhitePages) {
            person.WhitePages = flag(value);
        } else if (field == kYellowPages) {
            person.YellowPages = flag(value);
        } else {
            person.*kFields[field] = value;
            named |=
                !value.empty() && (field == kFirstName || field == kLastName || field == kCompany);
        }
    });
    if (!named) return "no first name, last name or company";
    for (int field = 0; field < int(std::size(kFields)); ++field) {
        if (kFields[field] && field != kPosition) trimInPlace(person.*kFields[field]);
    }
    person.RName = person.displayName();
    if (!person.WhitePages && !person.YellowPages) person.WhitePages = 1;
    return batch_.take(std::move(person));
}
