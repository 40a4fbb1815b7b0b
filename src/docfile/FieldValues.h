#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How the attribute values and element texts of a document file become field values.

// The attribute of a person, task or appointment that holds its UID: beyond version 16,
// written only when the record has one, never carried over to the next record.
inline constexpr std::string_view kUidAttribute = "UID";

// The number at the start of a text, read as the C library's atol reads it: leading
// white space, a sign, digits up to the first other byte; 0 without digits. Values beyond
// the 64-bit range stop at its ends.
[[nodiscard]] int64_t readLong(std::string_view text);

// readLong() cut to 32 bits, as storing atol's result in a 32-bit field does.
[[nodiscard]] inline int32_t readInt(std::string_view text) {
    return static_cast<int32_t>(readLong(text));
}

// Stores a text value in `field`. Earlier versions wrote each CR LF of a value as CR CR LF
// and so gained a CR at every save: any run of CRs before a LF is read as one line break.
void readText(std::string& field, std::string_view value);
