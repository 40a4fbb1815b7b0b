#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text read from files is UTF-8 inside the program. Files written on Windows hold
// Windows-1252 bytes instead; these helpers tell the two apart and convert. A file may
// hold both (a UTF-8 file with one name pasted from an old one): each byte that is not
// part of a UTF-8 character is read as Windows-1252, and the characters stay as they are.

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values
// beyond U+10FFFF).
[[nodiscard]] bool isValidUtf8(std::string_view bytes);

// How much text stands before the first zero byte, and whether it is UTF-8.
struct Utf8Scan {
    size_t length = 0;  // bytes before the first zero byte, or all of them
    bool valid = true;  // those bytes are well-formed UTF-8
};
[[nodiscard]] Utf8Scan scanUtf8UpToZero(std::string_view bytes);

// scanUtf8UpToZero for a text that arrives a piece at a time, each piece scanned while it is
// still in the processor's caches rather than fetched from memory again afterwards.
class Utf8Scanner {
public:
    // Scans what `text` holds beyond the bytes scanned so far, but for a last character
    // that more bytes may complete. `text` is all of the text that has come, and grows.
    void scanMore(std::string_view text);
    // The scan of the whole text, once all of it has come.
    [[nodiscard]] Utf8Scan finish(std::string_view text);

private:
    void scanTo(std::string_view text, size_t end);

    size_t scanned_ = 0;
    Utf8Scan scan_;
    bool zeroFound_ = false;
};

// Appends the UTF-8 form of the Unicode value `code` (at most U+10FFFF).
void appendUtf8(std::string& out, uint32_t code);

// Converts Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number.
[[nodiscard]] std::string windows1252ToUtf8(std::string_view bytes);

// The length of the well-formed UTF-8 character at the start of `bytes`: 1 for an ASCII
// byte, 2 to 4 for a multi-byte character, 0 when the bytes there are not one.
[[nodiscard]] size_t utf8CharLength(std::string_view bytes);

// The bytes with each byte that is not part of a well-formed UTF-8 character read as
// Windows-1252, so text without any multi-byte character reads wholly as Windows-1252.
[[nodiscard]] std::string utf8WithWindows1252Fallback(std::string_view bytes);

// utf8WithWindows1252Fallback for the characters of `bytes` that start from `from` to before
// `stop`, written to `out` (nullptr only counts them). Adds how many bytes it made to `made`
// and returns where it stopped: at the first character that starts at or after `stop`, so
// that a long text can be converted a piece at a time.
size_t convertWithWindows1252Fallback(std::string_view bytes, size_t from, size_t stop, char* out,
                                      size_t& made);

// Whether a character is a control character no card or calendar value may hold: any but
// the tab and the line breaks. Our writers drop them, so our readers do too, so that a
// value reads back as it was kept.
[[nodiscard]] inline bool isStrayControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F;
}
// Whether `text` holds any; one quick look at a whole file spares one at each value.
[[nodiscard]] bool holdsStrayControls(std::string_view text);

// One value (a name, a line of a card or calendar) as UTF-8: as it is when it is UTF-8,
// else every byte read as Windows-1252, so that an 8-bit value whose bytes happen to pair
// up as a UTF-8 character here and there is not read half one way and half the other.
[[nodiscard]] std::string valueAsUtf8(std::string_view bytes);

// The bytes without a leading UTF-8 byte-order mark.
[[nodiscard]] std::string_view withoutUtf8Bom(std::string_view bytes);

// The text of a file as UTF-8, as utf8WithWindows1252Fallback reads it, without a
// leading byte-order mark.
[[nodiscard]] std::string decodeText(std::string_view bytes);

// UTF-16 text, without its byte-order mark, as UTF-8. A surrogate without its partner
// becomes U+FFFD and an odd last byte is dropped.
[[nodiscard]] std::string utf16ToUtf8(std::string_view bytes, bool bigEndian);
