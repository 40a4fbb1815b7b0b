#include "records/Person.h"

std::string Person::displayName() const {
    if (LName.empty()) return FName;
    return FName.empty() ? LName : LName + ", " + FName;
}
