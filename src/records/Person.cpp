#include "records/Person.h"

std::string Person::displayName() const {
    if (LName.empty()) return FName;
    if (FName.empty()) return LName;
    // Made in one piece: an import makes one for every person.
    std::string name;
    name.reserve(LName.size() + 2 + FName.size());
    name.append(LName).append(", ").append(FName);
    return name;
}
