#pragma once

#include <string>

// The owner's own name and address; one per document.
struct User {
    std::string FName;
    std::string LName;
    std::string Company;
    std::string Position;
    std::string Addr1;
    std::string Addr2;
    std::string City;
    std::string State;
    std::string Zip;

    bool operator==(const User&) const = default;
};
