#include "records/LineBreaks.h"

namespace {

std::string withBreak(std::string_view text, std::string_view lineBreak) {
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += lineBreak;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string withCrLf(std::string_view text) {
    return withBreak(text, "\r\n");
}

std::string withLf(std::string_view text) {
    return withBreak(text, "\n");
}
