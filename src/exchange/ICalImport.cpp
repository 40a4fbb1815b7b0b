#include "exchange/ICalImport.h"
#include "platform/Translate.h"

#include <libical/ical.h>

#include <algorithm>
#include <memory>
#include <new>

#include "exchange/CalendarEntryReader.h"
#include "exchange/CalendarOutline.h"
#include "exchange/CalendarParse.h"
#include "exchange/CalendarTime.h"
#include "exchange/CalendarWalk.h"
#include "exchange/LibicalTurn.h"
#include "fileio/AtomicFile.h"
#include "fileio/TextEncoding.h"
#include "records/PimDocument.h"

namespace {

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
    Component root(outline.hasCalendar || outline.hasEntries ? parseCalendarText(text) : nullptr);
    if (!root) {
        result.status = Status::failure(FailureKind::Content, "",
                                        _("no calendar in the file (no BEGIN:VCALENDAR line)"));
        return result;
    }
    if (!outline.hasCalendar) {
        // Several programs and libraries write their events without the calendar around.
        result.notes.push_back(
            {1, _("the file has no BEGIN:VCALENDAR line; its events and to-dos are read as one "
                  "calendar")});
    }
    root.reset(asContainer(root.release()));
    dropRunawayZoneRules(root.get(), outline, result.notes);
    CalendarWalk(outline, reader, parts, result).readRoot(root.get());
    document.addTogether(std::move(reader.appointments), std::move(reader.tasks));
    return result;
}

}  // namespace

CalendarImportResult importICalendarText(PimDocument& document, std::string_view bytes,
                                         CalendarParts parts) {
    const auto turn = libicalTurn();
    try {
        return importCalendar(document, bytes, parts);
    } catch (const std::bad_alloc&) {
        // Everything goes into the document at the end, so a failure before adds nothing.
        CalendarImportResult result;
        result.status = Status::failure(FailureKind::Read, "", _("not enough memory to import it"));
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
                          const Locale& /*locale: the tally names no date*/,
                          const std::string& file) {
    ImportTally tally;
    tally.file = file;
    if (hasAppointments(parts))
        tally.added.push_back(
            countText(NP_("%d appointments", "%d appointments"), size_t(result.appointments)));
    if (hasTasks(parts))
        tally.added.push_back(countText(NP_("%d tasks", "%d tasks"), size_t(result.tasks)));
    tally.skippedCount = NP_("%d entry", "%d entries");
    tally.sayNoneSkipped = true;
    tally.recordsAdded = size_t(result.appointments + result.tasks);
    tally.skipped = result.skipped;
    tally.status = result.status;
    std::string note;
    const auto say = [&](std::string clause) { note += (note.empty() ? "" : "; ") + clause; };
    if (const auto there = static_cast<unsigned long>(result.alreadyThere); there > 0)
        say(fillIn(P_("%s of them was already in the document",
                      "%s of them were already in the document", there),
                   {std::to_string(there)}));
    if (const auto series = static_cast<unsigned long>(result.series); series > 0)
        say(fillIn(P_("%s of the appointments repeats", "%s of the appointments repeat", series),
                   {std::to_string(series)}));
    tally.note = std::move(note);
    tally.notes = result.notes;
    return tally;
}
