#pragma once

#include <string>
#include <string_view>

// Appends `byte` as `mark` and two upper-case hex digits: "%20" in an address, "=0A" in
// quoted-printable, "\x7F" in a listing.
inline void appendHexEscape(std::string& out, std::string_view mark, unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += mark;
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}
