#include "textio/DelimitedTextDecoding.h"

#include <algorithm>

#include "fileio/TextEncoding.h"

namespace {

// Enough of the file to tell its encoding; the rest is read the same way.
constexpr size_t kProbeBytes = 4096;

bool hasUtf16Mark(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

}  // namespace

std::optional<bool> utf16WithoutMark(std::string_view bytes) {
    const size_t probe = std::min(bytes.size(), kProbeBytes) & ~size_t(1);
    if (probe < 2 || hasUtf16Mark(bytes)) return std::nullopt;
    size_t evenZeros = 0;
    size_t oddZeros = 0;
    for (size_t i = 0; i < probe; i += 2) {
        evenZeros += bytes[i] == '\0';
        oddZeros += bytes[i + 1] == '\0';
    }
    const size_t pairs = probe / 2;
    // A few zero bytes in the other places stand for characters beyond Latin.
    if (oddZeros * 10 >= pairs * 4 && evenZeros * 10 < pairs) return false;
    if (evenZeros * 10 >= pairs * 4 && oddZeros * 10 < pairs) return true;
    return std::nullopt;
}

bool isDelimitedText(std::string_view bytes) {
    if (hasUtf16Mark(bytes) || utf16WithoutMark(bytes)) return true;
    return bytes.find('\0') == std::string_view::npos;
}

std::string decodeDelimitedText(std::string_view bytes) {
    std::string converted;
    return std::string(decodeDelimitedText(bytes, converted));
}

std::string_view decodeDelimitedText(std::string_view bytes, std::string& converted) {
    if (bytes.starts_with("\xFF\xFE")) return converted = utf16ToUtf8(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return converted = utf16ToUtf8(bytes.substr(2), true);
    if (const auto bigEndian = utf16WithoutMark(bytes))
        return converted = utf16ToUtf8(bytes, *bigEndian);
    const std::string_view text = withoutUtf8Bom(bytes);
    if (isValidUtf8(text)) return text;
    return converted = utf8WithWindows1252Fallback(text);
}
