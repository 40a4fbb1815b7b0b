#include "textio/DelimitedTextDecoding.h"

#include <algorithm>

#include "fileio/TextEncoding.h"

namespace {

// Enough of the file to tell its encoding; the rest is read the same way.
constexpr size_t kProbeBytes = 4096;

bool hasUtf16Mark(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// Where the run of CRs at `at` ends, and whether an LF follows it: then the run ends one
// line (CR LF, or the doubled CRs of some writers); else each of its CRs ends a line.
struct CrRun {
    size_t end;
    bool lone;
};
CrRun crRunAt(std::string_view text, size_t at) {
    const size_t end = std::min(text.find_first_not_of('\r', at), text.size());
    return {end, end == text.size() || text[end] != '\n'};
}

// `text` with each lone CR made an LF; `text` itself when it has none, as most files.
std::string_view withLineFeeds(std::string_view text, std::string& converted) {
    size_t cr = text.find('\r');
    while (cr != std::string_view::npos && !crRunAt(text, cr).lone)
        cr = text.find('\r', crRunAt(text, cr).end);
    if (cr == std::string_view::npos) return text;
    std::string lines(text);
    while (cr != std::string::npos) {
        const CrRun run = crRunAt(lines, cr);
        if (run.lone)
            std::fill(lines.begin() + ptrdiff_t(cr), lines.begin() + ptrdiff_t(run.end), '\n');
        cr = lines.find('\r', run.end);
    }
    return converted = std::move(lines);
}

// The bytes as UTF-8 text, before their line ends are looked at.
std::string_view asUtf8(std::string_view bytes, std::string& converted) {
    if (bytes.starts_with("\xFF\xFE")) return converted = utf16ToUtf8(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return converted = utf16ToUtf8(bytes.substr(2), true);
    if (const auto bigEndian = utf16WithoutMark(bytes))
        return converted = utf16ToUtf8(bytes, *bigEndian);
    const std::string_view text = withoutUtf8Bom(bytes);
    if (isValidUtf8(text)) return text;
    return converted = utf8WithWindows1252Fallback(text);
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
    return withLineFeeds(asUtf8(bytes, converted), converted);
}

std::string_view decodeUtf8DelimitedText(std::string_view bytes, std::string& converted) {
    // Neither UTF-16 nor its marks are UTF-8 without zero bytes.
    return withLineFeeds(withoutUtf8Bom(bytes), converted);
}
