#include "textio/DelimitedTextDecoding.h"

#include <cstdint>

#include "fileio/TextEncoding.h"

namespace {

// UTF-16 after its byte-order mark; a surrogate without its partner becomes U+FFFD and an
// odd last byte is dropped.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<uint32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    constexpr uint32_t kReplacement = 0xFFFD;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            const uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? kReplacement : u);
    }
    return out;
}

}  // namespace

std::string decodeDelimitedText(std::string_view bytes) {
    std::string converted;
    return std::string(decodeDelimitedText(bytes, converted));
}

std::string_view decodeDelimitedText(std::string_view bytes, std::string& converted) {
    if (bytes.starts_with("\xFF\xFE")) return converted = utf16ToUtf8(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return converted = utf16ToUtf8(bytes.substr(2), true);
    const std::string_view text = withoutUtf8Bom(bytes);
    if (isValidUtf8(text)) return text;
    return converted = utf8WithWindows1252Fallback(text);
}
