#include "sync/VCardPatchLines.h"

#include <algorithm>
#include <utility>

#include "exchange/VCardWriter.h"
#include "platform/HexEscape.h"

bool hasWordIgnoringCase(std::string_view text, std::string_view word) {
    for (size_t at = 0; at + word.size() <= text.size(); ++at) {
        if (equalsIgnoringCase(text.substr(at, word.size()), word)) return true;
    }
    return false;
}

std::string escapedForCard(std::string_view text, VCardEscaping escaping) {
    if (escaping == VCardEscaping::Backslash) return escapeVCardText(text);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ';') {
            out += "\\;";
        } else if ((static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\r' || c == '\n') &&
                   c != '\x7f') {
            out += c;
        }
    }
    return out;
}

namespace {

bool endsInLoneBackslash(std::string_view part, VCardEscaping escaping) {
    if (escaping == VCardEscaping::Version21) return part.ends_with('\\');
    for (size_t i = 0; i < part.size(); ++i) {
        if (part[i] != '\\') continue;
        if (i + 1 == part.size()) return true;
        ++i;
    }
    return false;
}

// A value of a later version with its raw line breaks written as "\n".
std::string withBreaksEscaped(std::string_view value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        const bool escapes = value[i] == '\\' && i + 1 < value.size();
        const bool escapesBreak = escapes && (value[i + 1] == '\r' || value[i + 1] == '\n');
        if (escapes && !escapesBreak) {
            out.append(value.substr(i, 2));
            ++i;
            continue;
        }
        // A backslash before a break escapes it: the reader takes that for the break.
        if (escapesBreak)
            ++i;
        else if (value[i] != '\r' && value[i] != '\n') {
            out += value[i];
            continue;
        }
        out += "\\n";
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
    }
    return out;
}

}  // namespace

std::string joinedCardParts(const std::vector<std::string>& parts, VCardEscaping escaping) {
    std::string value;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) value += ';';
        value += parts[i];
        if (i + 1 < parts.size() && endsInLoneBackslash(parts[i], escaping))
            value += escaping == VCardEscaping::Version21 ? ' ' : '\\';
    }
    return value;
}

std::string encodedCardLine(std::string_view head, std::string_view value, VCardEscaping escaping) {
    // New values come escaped, but parts kept from a value that was quoted-printable may
    // hold raw line breaks, which must not end the line.
    const bool breaks = value.find_first_of("\r\n") != std::string_view::npos;
    if (escaping == VCardEscaping::Backslash && breaks)
        return std::string(head) + ":" + withBreaksEscaped(value);
    if (escaping == VCardEscaping::Backslash || !breaks)
        return std::string(head) + ":" + std::string(value);
    std::string out = std::string(head) + ";ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:";
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '=' || byte < 0x20 || byte > 0x7e) {
            appendHexEscape(out, "=", byte);
        } else {
            out += c;
        }
    }
    return out;
}

// Appends one line, folded; a quoted-printable one (ours or the server's, read joined) is
// broken with soft line breaks instead, between its "=XX" codes: a fold after an "=" would
// be read as a soft break that keeps the fold's blank.
void appendCardLine(std::string& out, std::string_view line) {
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos ||
        !hasWordIgnoringCase(line.substr(0, colon), "QUOTED-PRINTABLE"))
        return appendFoldedLine(out, line);
    constexpr size_t kWidth = 75;  // and the "=" of a break
    out.append(line.substr(0, colon + 1));
    size_t width = colon + 1;
    for (size_t at = colon + 1; at < line.size();) {
        const size_t size = line[at] == '=' ? std::min<size_t>(3, line.size() - at) : 1;
        if (width + size > kWidth) {
            out += "=\r\n";
            width = 0;
        }
        out.append(line.substr(at, size));
        width += size;
        at += size;
    }
    out += "\r\n";
}

std::string rewrittenCardLine(const VCardLine& line, std::string_view value,
                              VCardEscaping escaping) {
    std::string out;
    if (!line.group.empty()) out.append(line.group).append(".");
    out += line.name;
    const auto quoted = [](std::string value) {
        // No parameter value can hold a quote, quoted or not: read back, it would open a
        // quoted value that runs to the line's end.
        std::ranges::replace(value, '"', '\'');
        return value.find_first_of(",;:") == std::string::npos ? value : "\"" + value + "\"";
    };
    // The types go back as one unquoted list (TYPE=WORK,VOICE), as they are usually written;
    // quoted, readers would take the list for one type.
    std::string types;
    for (const VCardParameter& parameter : line.parameters) {
        if (parameter.name == "TYPE") types += (types.empty() ? "" : ",") + quoted(parameter.value);
    }
    for (const VCardParameter& parameter : line.parameters) {
        if (parameter.name == "ENCODING" || parameter.name == "CHARSET") continue;
        if (parameter.name != "TYPE")
            out += ";" + parameter.name + "=" + quoted(parameter.value);
        else if (!types.empty())
            out += ";TYPE=" + std::exchange(types, std::string());
    }
    return encodedCardLine(out, value, escaping);
}
