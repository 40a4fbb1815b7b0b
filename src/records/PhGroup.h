#pragma once

#include <cstdint>
#include <string>

// The group every person the editor stores is filed in ("All" in a new document).
inline constexpr int32_t kUniversalGroupId = 1;

// An address-book group.
struct PhGroup {
    int32_t ID = 0;
    std::string Desc;  // the name shown

    bool operator==(const PhGroup&) const = default;
};
