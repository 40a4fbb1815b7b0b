#include "exchange/ICalImport.h"

#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <new>

#include "exchange/CalendarEntryReader.h"
#include "exchange/CalendarTime.h"
#include "exchange/ImportCounts.h"
#include "fileio/AtomicFile.h"
#include "fileio/TextEncoding.h"
#include "platform/Locale.h"
#include "records/PimDocument.h"

namespace {

// Calendars nest a calendar, an event, an alarm and a zone's rules; deeper nesting is no
// calendar, and libical frees components by recursion.
constexpr int kDeepestNesting = 8;

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

// The text with its folded lines joined and each line as UTF-8 (valueAsUtf8). Joined
// first, since a writer may fold a line inside a character, whose halves would otherwise
// each be read as Windows-1252. Lines end in CR LF.
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
        if (physical.ends_with('\r')) physical.remove_suffix(1);
        if (started && !physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
            line += physical.substr(1);
            continue;
        }
        if (started) endLine();
        line.assign(physical);
        started = true;
    }
    if (started) endLine();
    return text;
}

// What a look over the lines of the file finds before libical reads it.
struct Outline {
    // The lines where components begin, in order, by their names in upper case.
    std::map<std::string, std::vector<size_t>> beginLines;
    bool hasCalendar = false;
    bool hasEntries = false;  // events or to-dos
    Status status;
};

std::string componentName(std::string_view line) {
    std::string name;
    for (const char c : line.substr(6)) {
        if (c == '\r' || c == ' ' || c == '\t') break;
        name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

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
                                                 "components nested too deep for a calendar",
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

// The local starts of the occurrences that events with a RECURRENCE-ID replace, by UID.
std::map<std::string, std::vector<DateTime>> replacedOccurrences(icalcomponent* calendar) {
    std::map<std::string, std::vector<DateTime>> replaced;
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        icalproperty* id = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY);
        const char* uid = icalcomponent_get_uid(c);
        if (id == nullptr || uid == nullptr) continue;
        replaced[uid].push_back(
            localTimeOf(withPropertyZone(icalproperty_get_recurrenceid(id), id, calendar)));
    }
    return replaced;
}

// Why a component of a calendar adds nothing, for the kinds this program has no record of.
const char* unreadKind(icalcomponent_kind kind) {
    switch (kind) {
        case ICAL_VJOURNAL_COMPONENT:
            return "a journal entry (VJOURNAL), which has no record here";
        case ICAL_VFREEBUSY_COMPONENT:
            return "free/busy time (VFREEBUSY), which has no record here";
        case ICAL_VTIMEZONE_COMPONENT:
            return nullptr;  // read where a time names it
        default:
            return "a component of a kind not read";
    }
}

// Reads the components of a calendar, and of the calendars nested in it, in file order.
class CalendarWalk {
public:
    CalendarWalk(const Outline& outline, CalendarEntryReader& reader, CalendarParts parts,
                 CalendarImportResult& result)
        : outline_(outline), reader_(reader), parts_(parts), result_(result) {}

    // Reads what libical made of the whole text.
    void readRoot(icalcomponent* root) {
        // The calendar at the root is the file's first.
        if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT && outline_.hasCalendar)
            taken_["VCALENDAR"] = 1;
        read(root);
    }

private:
    void read(icalcomponent* calendar) {
        const auto replaced = replacedOccurrences(calendar);
        for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
            const icalcomponent_kind kind = icalcomponent_isa(c);
            const size_t line = nextLine(c);
            if (kind == ICAL_VCALENDAR_COMPONENT) {
                read(c);
            } else if (kind == ICAL_VTODO_COMPONENT) {
                if (hasTasks(parts_)) reader_.readTask(c, calendar, line);
            } else if (kind == ICAL_VEVENT_COMPONENT) {
                if (!hasAppointments(parts_)) continue;
                const char* uid = icalcomponent_get_uid(c);
                const auto it = uid ? replaced.find(uid) : replaced.end();
                static const std::vector<DateTime> kNone;
                reader_.readEvent(c, calendar, line, it == replaced.end() ? kNone : it->second);
            } else if (const char* reason = unreadKind(kind)) {
                result_.skipped.push_back({line, reason});
            }
        }
    }

    // The line where the next component of this one's name begins.
    size_t nextLine(icalcomponent* component) {
        const char* name = icalcomponent_kind_to_string(icalcomponent_isa(component));
        const auto lines = outline_.beginLines.find(name ? name : "");
        if (lines == outline_.beginLines.end()) return 0;
        const size_t index = taken_[lines->first]++;
        return index < lines->second.size() ? lines->second[index] : 0;
    }

    const Outline& outline_;
    CalendarEntryReader& reader_;
    CalendarParts parts_;
    CalendarImportResult& result_;
    std::map<std::string, size_t> taken_;  // components of each name read so far
};

// What libical made of the text, as a component holding the calendars, events and to-dos:
// a calendar, or a root of several components, as it is; a lone event or to-do inside a
// calendar made for it.
icalcomponent* asContainer(icalcomponent* root) {
    const icalcomponent_kind kind = icalcomponent_isa(root);
    if (kind == ICAL_VCALENDAR_COMPONENT || kind == ICAL_XROOT_COMPONENT) return root;
    icalcomponent* calendar = icalcomponent_new(ICAL_VCALENDAR_COMPONENT);
    icalcomponent_add_component(calendar, root);
    return calendar;
}

CalendarImportResult importCalendar(PimDocument& document, std::string_view bytes,
                                    CalendarParts parts) {
    CalendarImportResult result;
    const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    std::string converted;
    if (utf16) converted = utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
    const std::string_view raw = utf16 ? std::string_view(converted) : withoutUtf8Bom(bytes);
    // The outline counts the lines of the file as it is.
    const Outline outline = outlineOf(raw);
    if (!outline.status) {
        result.status = outline.status;
        return result;
    }
    CalendarEntryReader reader(document, result);
    if (raw.find_first_not_of(" \t\r\n") == std::string::npos) return result;
    const std::string text = unfoldedText(raw);
    std::unique_ptr<icalcomponent, ComponentFree> root(outline.hasCalendar || outline.hasEntries
                                                           ? icalparser_parse_string(text.c_str())
                                                           : nullptr);
    if (!root) {
        result.status = Status::failure(FailureKind::Content, "",
                                        "no calendar in the file (no BEGIN:VCALENDAR line)");
        return result;
    }
    if (!outline.hasCalendar) {
        // Several programs and libraries write their events without the calendar around.
        result.notes.push_back(
            {1,
             "the file has no BEGIN:VCALENDAR line; its events and to-dos are read as one "
             "calendar"});
    }
    root.reset(asContainer(root.release()));
    CalendarWalk(outline, reader, parts, result).readRoot(root.get());
    document.addTogether(std::move(reader.appointments), std::move(reader.tasks));
    return result;
}

}  // namespace

CalendarImportResult importICalendarText(PimDocument& document, std::string_view bytes,
                                         CalendarParts parts) {
    try {
        return importCalendar(document, bytes, parts);
    } catch (const std::bad_alloc&) {
        // Everything goes into the document at the end, so a failure before adds nothing.
        CalendarImportResult result;
        result.status = Status::failure(FailureKind::Read, "", "not enough memory to import it");
        return result;
    }
}

CalendarImportResult importICalendarFile(PimDocument& document, const std::string& path,
                                         CalendarParts parts) {
    std::string bytes;
    if (Status read = readWholeFile(path, bytes); !read) {
        CalendarImportResult result;
        result.status = std::move(read);
        return result;
    }
    CalendarImportResult result = importICalendarText(document, bytes, parts);
    result.status = result.status.inFile(path);
    return result;
}

std::string calendarImportedMessage(const CalendarImportResult& result, CalendarParts parts,
                                    const Locale& locale) {
    std::string text;
    if (hasAppointments(parts)) text = std::to_string(result.appointments) + " appointments";
    if (hasTasks(parts))
        text += (text.empty() ? "" : " and ") + std::to_string(result.tasks) + " tasks";
    text += " added to current database, " + countOf(result.skipped.size(), "entry", "entries") +
            " skipped";
    if (result.occurrences > 0) {
        const DateTime lastDay = result.windowEnd - DateTimeSpan(1.0);
        text +=
            "; " + std::to_string(result.occurrences) + " of the appointments are occurrences of " +
            countOf(size_t(result.recurringEvents), "recurring event", "recurring events") +
            " from " + result.windowStart.formatDate(locale) + " to " + lastDay.formatDate(locale);
    }
    text += ".";
    constexpr size_t kNotesListed = 3;
    for (size_t i = 0; i < std::min(result.notes.size(), kNotesListed); ++i) {
        const SkippedRecord& note = result.notes[i];
        text += " Note: " + (note.line > 0 ? "line " + std::to_string(note.line) + ": " : "") +
                note.reason + ".";
    }
    if (result.notes.size() > kNotesListed)
        text += " " + countOf(result.notes.size() - kNotesListed, "more note", "more notes") + ".";
    return text;
}
