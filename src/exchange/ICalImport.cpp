#include "exchange/ICalImport.h"

#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <new>

#include "exchange/CalendarEntryReader.h"
#include "exchange/CalendarTime.h"
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

// What a look over the lines of the file finds before libical reads it.
struct Outline {
    std::vector<size_t> entryLines;  // the lines where events and to-dos begin, in order
    bool hasCalendar = false;
    Status status;
};

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
            if (startsWithIgnoringCase(line, "BEGIN:VCALENDAR")) outline.hasCalendar = true;
            if (startsWithIgnoringCase(line, "BEGIN:VEVENT") ||
                startsWithIgnoringCase(line, "BEGIN:VTODO"))
                outline.entryLines.push_back(lineNumber);
        } else if (startsWithIgnoringCase(line, "END:")) {
            depth = std::max(depth - 1, 0);
        }
    }
    return outline;
}

// The calendars of what libical read: itself, or the calendars a root of several holds.
std::vector<icalcomponent*> calendarsIn(icalcomponent* root) {
    if (icalcomponent_isa(root) != ICAL_XROOT_COMPONENT) return {root};
    std::vector<icalcomponent*> calendars;
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
        calendars.push_back(c);
    return calendars;
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

CalendarImportResult importCalendar(PimDocument& document, std::string_view bytes,
                                    CalendarParts parts) {
    CalendarImportResult result;
    const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    const std::string text =
        utf16 ? utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE') : decodeText(bytes);
    const Outline outline = outlineOf(text);
    if (!outline.status) {
        result.status = outline.status;
        return result;
    }
    CalendarEntryReader reader(document, result);
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) return result;
    std::unique_ptr<icalcomponent, ComponentFree> root(
        outline.hasCalendar ? icalparser_parse_string(text.c_str()) : nullptr);
    if (!root) {
        result.status = Status::failure(FailureKind::Content, "",
                                        "no calendar in the file (no BEGIN:VCALENDAR line)");
        return result;
    }
    size_t entry = 0;
    for (icalcomponent* calendar : calendarsIn(root.get())) {
        const auto replaced = replacedOccurrences(calendar);
        for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
            const icalcomponent_kind kind = icalcomponent_isa(c);
            if (kind != ICAL_VEVENT_COMPONENT && kind != ICAL_VTODO_COMPONENT) continue;
            const size_t line = entry < outline.entryLines.size() ? outline.entryLines[entry] : 0;
            ++entry;
            if (kind == ICAL_VTODO_COMPONENT) {
                if (hasTasks(parts)) reader.readTask(c, line);
                continue;
            }
            if (!hasAppointments(parts)) continue;
            const char* uid = icalcomponent_get_uid(c);
            const auto it = uid ? replaced.find(uid) : replaced.end();
            static const std::vector<DateTime> kNone;
            reader.readEvent(c, calendar, line, it == replaced.end() ? kNone : it->second);
        }
    }
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

ImportTally calendarTally(const CalendarImportResult& result, CalendarParts parts,
                          const Locale& locale, const std::string& file) {
    ImportTally tally;
    tally.file = file;
    if (hasAppointments(parts))
        tally.added.push_back(addedCount(size_t(result.appointments), "appointments"));
    if (hasTasks(parts)) tally.added.push_back(addedCount(size_t(result.tasks), "tasks"));
    tally.skippedNoun = "entry";
    tally.skippedNouns = "entries";
    tally.sayNoneSkipped = true;
    tally.skipped = result.skipped;
    tally.status = result.status;
    if (result.occurrences > 0) {
        const DateTime lastDay = result.windowEnd - DateTimeSpan(1.0);
        tally.note =
            std::to_string(result.occurrences) + " of the appointments are occurrences of " +
            countOf(size_t(result.recurringEvents), "recurring event", "recurring events") +
            " from " + result.windowStart.formatDate(locale) + " to " + lastDay.formatDate(locale);
    }
    return tally;
}
