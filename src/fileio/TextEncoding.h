#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text read from files is UTF-8 inside the program. Files written on Windows hold
// Windows-1252 bytes instead; these helpers tell the two apart and convert.

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values
// beyond U+10FFFF).
[[nodiscard]] bool isValidUtf8(std::string_view bytes);

// How much text stands before the first zero byte, and whether it is UTF-8.
struct Utf8Scan {
    size_t length = 0;  // bytes before the first zero byte, or all of them
    bool valid = true;  // those bytes are well-formed UTF-8
};
[[nodiscard]] Utf8Scan scanUtf8UpToZero(std::string_view bytes);

// Appends the UTF-8 form of the Unicode value `code` (at most U+10FFFF).
void appendUtf8(std::string& out, uint32_t code);

// Converts Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number.
[[nodiscard]] std::string windows1252ToUtf8(std::string_view bytes);

// The bytes without a leading UTF-8 byte-order mark.
[[nodiscard]] std::string_view withoutUtf8Bom(std::string_view bytes);

// UTF-8 text as it stands, or the Windows-1252 reading of text that is not UTF-8.
// A leading byte-order mark is dropped.
[[nodiscard]] std::string decodeText(std::string_view bytes);
