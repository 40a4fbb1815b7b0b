#include "docfile/FieldValues.h"

int64_t readLong(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + static_cast<uint64_t>(text[i] - '0');
        if (magnitude > limit) {
            magnitude = limit;
            break;
        }
    }
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

void readText(std::string& field, std::string_view value) {
    if (value.find('\r') == std::string_view::npos) {
        field.assign(value);
        return;
    }
    field.clear();
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r') {
            size_t j = i;
            while (j < value.size() && value[j] == '\r')
                ++j;
            if (j < value.size() && value[j] == '\n') {
                field += '\r';
                i = j - 1;
                continue;
            }
        }
        field += value[i];
    }
}
