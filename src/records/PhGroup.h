#pragma once

#include <cstdint>
#include <string>

// An address-book group.
struct PhGroup {
    int32_t ID = 0;
    std::string Desc;  // the name shown

    bool operator==(const PhGroup&) const = default;
};
