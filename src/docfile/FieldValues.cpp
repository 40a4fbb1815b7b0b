#include "docfile/FieldValues.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// Whether all eight bytes of `word` are ASCII digits.
bool eightDigits(uint64_t word) {
    constexpr uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0ull;
    constexpr uint64_t kZeros = 0x3030303030303030ull;
    // '0'-'9' are 0x30-0x39: adding 6 keeps them below 0x40, and the others leave 0x3X.
    return (word & kHighNibbles) == kZeros &&
           ((word + 0x0606060606060606ull) & kHighNibbles) == kZeros;
}

// The number eight digits make, the first of them in the lowest byte.
uint64_t eightDigitsValue(uint64_t word) {
    word -= 0x3030303030303030ull;
    word = (word * 10 + (word >> 8)) & 0x00FF00FF00FF00FFull;
    word = (word * 100 + (word >> 16)) & 0x0000FFFF0000FFFFull;
    return (word * 10000 + (word >> 32)) & 0xFFFFFFFFull;
}

}  // namespace

int64_t readLong(std::string_view text) {
    // A time in seconds: ten plain digits, millions of them in a large document. The first
    // eight are read at once; eighteen digits cannot overflow.
    if constexpr (std::endian::native == std::endian::little) {
        uint64_t word;
        if (text.size() >= 8 && text.size() <= 18 &&
            (std::memcpy(&word, text.data(), sizeof word), eightDigits(word))) {
            uint64_t magnitude = eightDigitsValue(word);
            for (size_t i = 8; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
                magnitude = magnitude * 10 + static_cast<uint64_t>(text[i] - '0');
            return static_cast<int64_t>(magnitude);
        }
    }
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint64_t magnitude = 0;
    // Eighteen digits stay below the limit: only longer numbers need the check, whose
    // division would otherwise cost more than reading the digit.
    const size_t unchecked = std::min(text.size(), i + 18);
    for (; i < unchecked && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = magnitude * 10 + static_cast<uint64_t>(text[i] - '0');
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<uint64_t>(text[i] - '0');
        // Checked before multiplying: a product past 2^64 would wrap back under the limit.
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

void readText(std::string& field, std::string_view value) {
    if (value.find('\r') == std::string_view::npos) {
        // A text made for the value takes no more memory than it needs; one grown to hold
        // it would take up to twice that.
        if (value.size() > field.capacity())
            field = std::string(value);
        else
            field.assign(value);
        return;
    }
    // A run of CRs before a LF is one line break; a run before anything else stays.
    field.clear();
    field.reserve(value.size());
    size_t from = 0;
    for (size_t at = value.find('\r'); at != std::string_view::npos; at = value.find('\r', at)) {
        size_t after = at;
        while (after < value.size() && value[after] == '\r')
            ++after;
        if (after < value.size() && value[after] == '\n') {
            field.append(value.substr(from, at + 1 - from));
            from = after;
        }
        at = after;
    }
    field.append(value.substr(from));
}
