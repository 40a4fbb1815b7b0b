#include "exchange/CalendarOutline.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cctype>

#include "exchange/VCardLine.h"
#include "fileio/TextEncoding.h"

namespace {

// Calendars nest a calendar, an event, an alarm and a zone's rules; deeper nesting is no
// calendar, and libical frees components by recursion.
constexpr int kDeepestNesting = 8;

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string componentName(std::string_view line) {
    std::string name;
    for (const char c : line.substr(6)) {
        if (c == '\r' || c == ' ' || c == '\t') break;
        name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

// Appends a piece of a line with each carriage return in it as an escaped line break: a
// text reads it as one, and libical would drop it when it writes the item back.
void appendEscapingReturns(std::string& line, std::string_view piece) {
    for (size_t at = piece.find('\r'); at != std::string_view::npos; at = piece.find('\r')) {
        line.append(piece.substr(0, at));
        line += "\\n";
        piece.remove_prefix(at + 1);
    }
    line.append(piece);
}

}  // namespace

Outline outlineOf(std::string_view text) {
    Outline outline;
    int depth = 0;
    size_t lineNumber = 0;
    for (size_t pos = 0; pos < text.size();) {
        const size_t end = std::min(text.find('\n', pos), text.size());
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (startsWithIgnoringCase(line, "BEGIN:")) {
            if (++depth > kDeepestNesting) {
                outline.status = Status::failure(FailureKind::Content, "",
                                                 _("components nested too deep for a calendar"),
                                                 static_cast<int32_t>(lineNumber));
                return outline;
            }
            const std::string name = componentName(line);
            outline.hasCalendar |= name == "VCALENDAR";
            outline.hasEntries |= name == "VEVENT" || name == "VTODO";
            outline.beginLines[name].push_back(lineNumber);
        } else if (startsWithIgnoringCase(line, "END:")) {
            depth = std::max(depth - 1, 0);
        }
    }
    return outline;
}

std::string unfoldedText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16);
    std::string line;
    auto endLine = [&] {
        text += valueAsUtf8(line);
        text += "\r\n";
        line.clear();
    };
    bool started = false;
    for (size_t pos = 0; pos < bytes.size();) {
        size_t end = std::min(bytes.find('\n', pos), bytes.size());
        std::string_view physical = bytes.substr(pos, end - pos);
        pos = end + 1;
        while (physical.ends_with('\r'))
            physical.remove_suffix(1);
        if (started && !physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
            appendEscapingReturns(line, physical.substr(1));
            continue;
        }
        if (started) endLine();
        line.clear();
        appendEscapingReturns(line, physical);
        started = true;
    }
    if (started) endLine();
    return text;
}
