#include "reports/AddressLines.h"

#include "records/Person.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string nameKey(const Person& person) {
    if (!person.LName.empty() && !person.FName.empty()) return person.LName + ", " + person.FName;
    return person.LName.empty() ? person.FName : person.LName;
}

}  // namespace

std::string trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(kBlanks);
    return std::string(text.substr(first, last - first + 1));
}

std::string addressName(std::string_view first, std::string_view last) {
    std::string name = trimmed(first);
    if (name.empty()) return std::string(last);
    name += ' ';
    name += last;
    return name;
}

std::string addresseeName(const Person& person) {
    std::string name = addressName(person.FName, person.LName);
    if (trimmed(name).empty()) return trimmed(person.Company);
    return name;
}

std::string cityLine(std::string_view city, std::string_view state, std::string_view zip) {
    std::string line = trimmed(city);
    if (!line.empty()) line += ", ";
    line += state;
    line = trimmed(line);
    line += ' ';
    line += zip;
    return trimmed(line);
}

bool phoneBookBefore(const Person& a, const Person& b) {
    const std::string keyA = nameKey(a);
    const std::string keyB = nameKey(b);
    if (keyA.empty() && keyB.empty()) return a.Company < b.Company;
    if (keyA.empty() || keyB.empty()) return keyA.empty();
    return keyA < keyB;
}
