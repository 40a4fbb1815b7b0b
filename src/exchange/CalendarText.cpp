#include "exchange/CalendarText.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// Bytes of a line before it is folded; a continuation starts with a blank and this many more.
constexpr size_t kFoldAfter = 74;

// Whether the byte is ASCII or the first of a multi-byte character.
bool startsCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte & 0x80) == 0 || (byte & 0xC0) == 0xC0;
}

// Where the first piece of a line that needs folding ends, as libical folds: after the last
// ";", ":" or blank among its first 74 bytes (not the first byte), else at the start of the
// UTF-8 character its 75th byte belongs to. libical counts the line's CR LF as part of it:
// a cut there would leave a piece without text, and the line is not folded then.
size_t foldAt(std::string_view line) {
    for (size_t at = std::min(kFoldAfter - 1, line.size() - 1); at > 0; --at) {
        if (line[at] == ';' || line[at] == ':' || line[at] == ' ') return at + 1;
    }
    if (line.size() <= kFoldAfter) return line.size();
    for (size_t at = kFoldAfter; at > 0; --at) {
        if (startsCharacter(line[at])) return at;
    }
    return kFoldAfter;
}

}  // namespace

void appendCalendarNumber(std::string& out, uint64_t value, int width) {
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 || n < width);
    while (n > 0)
        out += digits[--n];
}

void appendCalendarLine(std::string& out, std::string_view line) {
    while (line.size() + 2 > kFoldAfter) {
        const size_t cut = foldAt(line);
        if (cut >= line.size()) break;
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
    }
    out.append(line);
    out += "\r\n";
}

void appendCalendarText(std::string& out, std::string& line, std::string_view name,
                        std::string_view text) {
    line.assign(name);
    line += ':';
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '\\':
            case ';':
            case ',':
                line += '\\';
                line += c;
                break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
                [[fallthrough]];
            case '\n':
                line += "\\n";
                break;
            case '\t':
                line += c;
                break;
            default:
                // No text may hold another control character; a zero byte would end the
                // file for readers that stop there, ours among them.
                if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') break;
                line += c;
        }
    }
    appendCalendarLine(out, line);
}

void appendCalendarTime(std::string& out, const CalendarFields& f, bool withTime, bool utc) {
    appendCalendarNumber(out, static_cast<uint64_t>(f.year), 4);
    appendCalendarNumber(out, static_cast<uint64_t>(f.month), 2);
    appendCalendarNumber(out, static_cast<uint64_t>(f.day), 2);
    if (!withTime) return;
    out += 'T';
    appendCalendarNumber(out, static_cast<uint64_t>(f.hour), 2);
    appendCalendarNumber(out, static_cast<uint64_t>(f.minute), 2);
    appendCalendarNumber(out, static_cast<uint64_t>(f.second), 2);
    if (utc) out += 'Z';
}

void appendCalendarDuration(std::string& out, int seconds) {
    if (seconds < 0) out += '-';
    const auto left = static_cast<uint64_t>(std::llabs(seconds));
    out += "PT";
    if (left == 0) {
        out += "0S";
        return;
    }
    // No days or weeks: those are wall-clock days, 23 or 25 hours across a clock change,
    // and a lead is a time that passes.
    const uint64_t parts[] = {left / 3600, left / 60 % 60, left % 60};
    const char units[] = {'H', 'M', 'S'};
    for (int i = 0; i < 3; ++i) {
        // Hours and seconds need the minutes between them ("PT1H0M5S").
        const bool between = i == 1 && parts[0] != 0 && parts[2] != 0;
        if (parts[i] == 0 && !between) continue;
        appendCalendarNumber(out, parts[i]);
        out += units[i];
    }
}

void appendCalendarAlarm(std::string& out, std::string& line, int64_t secondsBefore,
                         std::string_view text) {
    const auto seconds = std::clamp<int64_t>(secondsBefore, -INT_MAX, INT_MAX);
    out += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:";
    appendCalendarDuration(out, static_cast<int>(-seconds));
    out += "\r\n";
    appendCalendarText(out, line, "DESCRIPTION", text);
    out += "END:VALARM\r\n";
}
