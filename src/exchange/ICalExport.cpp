#include "exchange/ICalExport.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "fileio/AtomicFile.h"
#include "records/PimDocument.h"
#include "records/SecondsConverter.h"

// The text is written here rather than built as libical components and printed: for a
// large calendar those took nearly all of the export's time. It is the text libical wrote.

namespace {

// Bytes of a line before it is folded; a continuation starts with a blank and this many more.
constexpr size_t kFoldAfter = 74;

// FNV-1a, so that a record exported twice unchanged keeps its UID and calendars that import
// it again update it rather than add it twice.
uint64_t hashOf(const std::string& text, double moment) {
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&](unsigned char byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (const char c : text)
        mix(static_cast<unsigned char>(c));
    const auto bits = static_cast<uint64_t>(std::llround(moment * 86400.0));
    for (int i = 0; i < 8; ++i)
        mix(static_cast<unsigned char>(bits >> (8 * i)));
    return hash;
}

void appendNumber(std::string& out, uint64_t value, int width = 1) {
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 || n < width);
    while (n > 0)
        out += digits[--n];
}

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

// Appends `line` and its CR LF, folded into pieces of at most 74 bytes.
void appendFolded(std::string& out, std::string_view line) {
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

// A TEXT property: a backslash before "\", ";" and ",", every line break (CR LF, CR or LF)
// as "\n", no backspace or form feed.
void appendTextProperty(std::string& out, std::string& line, std::string_view name,
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
    appendFolded(out, line);
}

// "YYYYMMDD", then "THHMMSS" for a time, and "Z" for UTC.
void appendFields(std::string& out, const CalendarFields& f, bool withTime, bool utc) {
    appendNumber(out, static_cast<uint64_t>(f.year), 4);
    appendNumber(out, static_cast<uint64_t>(f.month), 2);
    appendNumber(out, static_cast<uint64_t>(f.day), 2);
    if (!withTime) return;
    out += 'T';
    appendNumber(out, static_cast<uint64_t>(f.hour), 2);
    appendNumber(out, static_cast<uint64_t>(f.minute), 2);
    appendNumber(out, static_cast<uint64_t>(f.second), 2);
    if (utc) out += 'Z';
}

// A relative alarm trigger as a duration: whole weeks, or days, hours, minutes and seconds.
void appendDuration(std::string& out, int seconds) {
    if (seconds < 0) out += '-';
    auto left = static_cast<uint64_t>(std::llabs(seconds));
    out += 'P';
    constexpr uint64_t kWeek = 7 * 86400;
    if (left != 0 && left % kWeek == 0) {
        appendNumber(out, left / kWeek);
        out += 'W';
        return;
    }
    if (left >= 86400) {
        appendNumber(out, left / 86400);
        out += 'D';
        left %= 86400;
    }
    if (left == 0 && seconds != 0) return;
    out += 'T';
    if (left == 0) {
        out += "0S";
        return;
    }
    const uint64_t parts[] = {left / 3600, left / 60 % 60, left % 60};
    const char units[] = {'H', 'M', 'S'};
    for (int i = 0; i < 3; ++i) {
        // Hours and seconds need the minutes between them ("PT1H0M5S").
        const bool between = i == 1 && parts[0] != 0 && parts[2] != 0;
        if (parts[i] == 0 && !between) continue;
        appendNumber(out, parts[i]);
        out += units[i];
    }
}

class CalendarWriter {
public:
    CalendarWriter(std::string& out, DateTime now) : out_(out) {
        // DTSTAMP is in UTC.
        const int64_t seconds = std::max<int64_t>(seconds_.toSeconds(now), 0);
        stamp_ = "DTSTAMP:";
        if (const auto fields = DateTime::fromLocalSeconds(seconds).fields())
            appendFields(stamp_, *fields, true, true);
        stamp_ += "\r\n";
    }

    void event(const Appointment& a) {
        out_ += "BEGIN:VEVENT\r\n";
        uid("appointment", a.ID, a.Description, a.StartTime);
        out_ += stamp_;
        const DateTime end = std::max(a.EndTime, a.StartTime);
        const auto instants = seconds_.spanInstantsOf(a.StartTime, end);
        time("DTSTART", a.StartTime, instants.start);
        time("DTEND", end, instants.end);
        appendTextProperty(out_, line_, "SUMMARY", a.Description);
        if (a.Alarm && a.AlarmTime.isValid()) {
            const auto seconds = std::clamp<long long>(
                std::llround((a.AlarmTime - a.StartTime).days() * 86400.0), -INT_MAX, INT_MAX);
            out_ += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:";
            appendDuration(out_, static_cast<int>(seconds));
            out_ += "\r\n";
            appendTextProperty(out_, line_, "DESCRIPTION", a.Description);
            out_ += "END:VALARM\r\n";
        }
        out_ += "END:VEVENT\r\n";
    }

    void toDo(const Task& t) {
        out_ += "BEGIN:VTODO\r\n";
        uid("task", t.ID, t.Description, t.DueDate);
        out_ += stamp_;
        appendTextProperty(out_, line_, "SUMMARY", t.Description);
        if (t.DueDate.isValid()) {
            if (t.DueDate == t.DueDate.date()) {
                if (const auto fields = t.DueDate.fields()) {
                    out_ += "DUE;VALUE=DATE:";
                    appendFields(out_, *fields, false, false);
                    out_ += "\r\n";
                }
            } else {
                time("DUE", t.DueDate, seconds_.instantOf(t.DueDate));
            }
        }
        if (t.isDone()) {
            out_ += "STATUS:COMPLETED\r\nPERCENT-COMPLETE:100\r\n";
            if (t.DoneDate.isValid()) time("COMPLETED", t.DoneDate, seconds_.instantOf(t.DoneDate));
        } else {
            static constexpr const char* kPriorities[] = {"PRIORITY:1\r\n", "PRIORITY:5\r\n",
                                                          "PRIORITY:9\r\n"};
            out_ += "STATUS:NEEDS-ACTION\r\n";
            if (t.Priority >= Task::High && t.Priority <= Task::Low)
                out_ += kPriorities[t.Priority];
        }
        out_ += "END:VTODO\r\n";
    }

private:
    void uid(const char* kind, int32_t id, const std::string& text, DateTime moment) {
        static constexpr char kHex[] = "0123456789abcdef";
        const uint64_t hash = hashOf(text, moment.continuous());
        out_ += "UID:";
        out_ += kind;
        out_ += '-';
        if (id < 0) out_ += '-';
        appendNumber(out_, static_cast<uint64_t>(std::llabs(int64_t{id})));
        out_ += '-';
        for (int shift = 60; shift >= 0; shift -= 4)
            out_ += kHex[(hash >> shift) & 0xF];
        out_ += "@quillmate\r\n";
    }

    // In UTC at `instant`, or floating (which every reader takes as local time) without one.
    void time(std::string_view name, DateTime local, std::optional<int64_t> instant) {
        const auto fields = local.fields();
        if (!fields) return;
        out_ += name;
        out_ += ':';
        const auto utcFields = instant ? DateTime::fromLocalSeconds(*instant).fields() : fields;
        appendFields(out_, utcFields ? *utcFields : *fields, true, instant && utcFields);
        out_ += "\r\n";
    }

    std::string& out_;
    std::string stamp_;  // the DTSTAMP line, the same for every record
    std::string line_;   // scratch for a text property
    SecondsConverter seconds_;
};

}  // namespace

std::string icalendarText(const PimDocument& document, CalendarParts parts, int32_t* records) {
    std::string out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tarnwick//Quillmate//EN\r\n";
    CalendarWriter writer(out, DateTime::now(document.clock()));
    int32_t count = 0;
    if (hasAppointments(parts)) {
        for (const auto& [id, appointment] : document.appointments()) {
            // An event needs a start; a record without one has nothing to say.
            if (!appointment.StartTime.isValid()) continue;
            writer.event(appointment);
            ++count;
        }
    }
    if (hasTasks(parts)) {
        for (const auto& [id, task] : document.tasks()) {
            writer.toDo(task);
            ++count;
        }
    }
    out += "END:VCALENDAR\r\n";
    if (records) *records = count;
    return out;
}

ExportResult exportICalendarFile(const PimDocument& document, const std::string& path,
                                 CalendarParts parts) {
    ExportResult result;
    const std::string text = icalendarText(document, parts, &result.records);
    result.status = writeFileAtomically(path, text);
    if (!result.status) result.records = 0;
    return result;
}
