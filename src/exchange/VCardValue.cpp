#include "exchange/VCardValue.h"

#include <iconv.h>

#include <algorithm>

#include "exchange/VCardLine.h"
#include "fileio/TextEncoding.h"

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool isOneOf(std::string_view charset, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (equalsIgnoringCase(charset, name)) return true;
    }
    return false;
}

// Converts with the C library's iconv; false when it does not know the set or the bytes
// are not text in it.
bool convertWithIconv(std::string_view bytes, std::string_view charset, std::string& out) {
    const std::string from(charset);
    iconv_t converter = iconv_open("UTF-8", from.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::string input(bytes);
    out.assign(bytes.size() * 4 + 4, '\0');
    char* in = input.data();
    size_t inLeft = input.size();
    char* to = out.data();
    size_t outLeft = out.size();
    const size_t done = iconv(converter, &in, &inLeft, &to, &outLeft);
    iconv_close(converter);
    if (done == static_cast<size_t>(-1)) return false;
    out.resize(out.size() - outLeft);
    return isValidUtf8(out);
}

}  // namespace

std::string decodeQuotedPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
            hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string toUtf8(std::string_view bytes, std::string_view charset) {
    if (charset.empty() || isOneOf(charset, {"UTF-8", "UTF8", "US-ASCII", "ASCII"}))
        return valueAsUtf8(bytes);
    if (isOneOf(charset, {"ISO-8859-1", "ISO8859-1", "LATIN1", "WINDOWS-1252", "CP1252"}))
        return windows1252ToUtf8(bytes);
    std::string converted;
    if (convertWithIconv(bytes, charset, converted)) return converted;
    return valueAsUtf8(bytes);
}

std::string_view decodedValue(const VCardLine& line, bool fileIsUnicode, bool textIsUtf8,
                              std::string& scratch) {
    const bool quotedPrintable = line.has("ENCODING", "QUOTED-PRINTABLE");
    if (!quotedPrintable && fileIsUnicode) return line.value;
    const std::string_view charset = line.parameter("CHARSET");
    if (!quotedPrintable) {
        // Most values are UTF-8 already and need no copy.
        const bool utf8 = charset.empty() || equalsIgnoringCase(charset, "UTF-8");
        if (utf8 && (textIsUtf8 || isValidUtf8(line.value))) return line.value;
        scratch = toUtf8(line.value, charset);
    } else {
        scratch = toUtf8(decodeQuotedPrintable(line.value), charset);
    }
    return scratch;
}

std::vector<std::string_view> splitEscaped(std::string_view value, char separator,
                                           VCardEscaping escaping) {
    std::vector<std::string_view> parts;
    splitEscapedInto(value, separator, escaping, parts);
    return parts;
}

void splitEscapedInto(std::string_view value, char separator, VCardEscaping escaping,
                      std::vector<std::string_view>& parts) {
    parts.clear();
    size_t start = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const bool escapes = value[i] == '\\' && i + 1 < value.size() &&
                             (escaping == VCardEscaping::Backslash || value[i + 1] == ';');
        if (escapes) {
            ++i;
        } else if (value[i] == separator) {
            parts.push_back(value.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(value.substr(std::min(start, value.size())));
}

std::vector<std::string> splitValue(std::string_view value, char separator,
                                    VCardEscaping escaping) {
    std::vector<std::string> parts;
    for (const std::string_view part : splitEscaped(value, separator, escaping))
        parts.push_back(unescapeValue(part, escaping));
    return parts;
}

std::string unescapeValue(std::string_view value, VCardEscaping escaping) {
    size_t at = value.find('\\');
    if (at == std::string_view::npos) return std::string(value);
    // The runs between backslashes go in whole: a card escapes the odd comma, not the text.
    std::string out;
    out.reserve(value.size());
    size_t from = 0;
    for (; at != std::string_view::npos; at = value.find('\\', from)) {
        out.append(value.substr(from, at - from));
        const char escaped = at + 1 < value.size() ? value[at + 1] : '\0';
        // A backslash at the end has nothing to escape. Version 2.1 escapes only the
        // separator of structured values; a backslash before anything else is part of the
        // text ("C:\temp"), and what follows it is read on its own.
        if (at + 1 == value.size() || (escaping == VCardEscaping::Version21 && escaped != ';')) {
            out += '\\';
            from = at + 1;
            continue;
        }
        out += escaping == VCardEscaping::Backslash && (escaped == 'n' || escaped == 'N') ? '\n'
                                                                                          : escaped;
        from = at + 2;
    }
    out.append(value.substr(std::min(from, value.size())));
    return out;
}
