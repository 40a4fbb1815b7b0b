#include "reports/AddressLines.h"

#include "records/Person.h"
#include "records/Trimmed.h"

std::string addressName(std::string_view first, std::string_view last) {
    std::string name(trimmed(first));
    if (name.empty()) return std::string(last);
    name += ' ';
    name += last;
    return name;
}

std::string addresseeName(const Person& person) {
    std::string name = addressName(person.FName(), person.LName());
    if (trimmed(name).empty()) return std::string(trimmed(person.Company()));
    return name;
}

std::string cityLine(std::string_view city, std::string_view state, std::string_view zip) {
    std::string line(trimmed(city));
    if (!line.empty()) line += ", ";
    line += state;
    line = std::string(trimmed(line));
    line += ' ';
    line += zip;
    return std::string(trimmed(line));
}

bool phoneBookBefore(const Person& a, const Person& b) {
    const std::string keyA = a.displayName();
    const std::string keyB = b.displayName();
    if (keyA.empty() && keyB.empty()) return a.Company() < b.Company();
    if (keyA.empty() || keyB.empty()) return keyA.empty();
    return keyA < keyB;
}
