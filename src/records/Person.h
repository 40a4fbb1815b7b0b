#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An address-book entry. Text is UTF-8 of any length.
struct Person {
    int32_t ID = 0;
    std::string FName;
    std::string LName;
    std::string RName;  // display name; stored, not recomputed on load
    std::string Company;
    std::string Position;
    std::string Addr1;
    std::string Addr2;
    std::string City;
    std::string State;
    std::string Zip;
    std::string HmPhone;
    std::string WkPhone;
    std::string WkExt;
    std::string Fax;
    std::string Pager;
    std::string CelPhone;
    std::string EMail;
    std::string WebPage;
    std::string Notes;              // may hold CR LF line breaks
    int32_t WhitePages = 0;         // legacy flag from the first file version
    int32_t YellowPages = 0;        // legacy flag from the first file version
    std::vector<int32_t> PhGroups;  // group ids in the order added

    // "LName, FName", or whichever of the two is not empty.
    [[nodiscard]] std::string displayName() const;

    bool operator==(const Person&) const = default;
};
