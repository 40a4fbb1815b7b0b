#include "records/LineBreaks.h"

#include <algorithm>

namespace {

std::string withBreak(std::string_view text, std::string_view lineBreak) {
    std::string out;
    out.reserve(text.size() + 8);
    // Appended a line at a time: a byte at a time, each append checks for room.
    size_t from = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        out.append(text.substr(from, i - from));
        out += lineBreak;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        from = i + 1;
    }
    out.append(text.substr(std::min(from, text.size())));
    return out;
}

}  // namespace

std::string withCrLf(std::string_view text) {
    return withBreak(text, "\r\n");
}

std::string withLf(std::string_view text) {
    return withBreak(text, "\n");
}
