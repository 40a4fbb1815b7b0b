#include "docfile/FieldValues.h"

#include <algorithm>

int64_t readLong(std::string_view text) {
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
