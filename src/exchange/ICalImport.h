#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/CalendarParts.h"
#include "platform/Status.h"
#include "textio/ImportReport.h"
#include "textio/TextImport.h"

class Locale;
class PimDocument;

// What a calendar import did.
struct CalendarImportResult {
    int32_t appointments = 0;  // appointments added; a recurring event is one (or more, split)
    int32_t tasks = 0;         // tasks added
    int32_t series = 0;        // appointments among them that repeat
    int32_t alreadyThere = 0;  // events and to-dos the document held before, among the skipped
    // The appointments added (by ID) for an event that overrides an occurrence of a series
    // the file does not hold.
    std::vector<int32_t> replacingOne;
    std::vector<SkippedRecord> skipped;  // events, to-dos and other components that added nothing
    std::vector<SkippedRecord> notes;    // what was read otherwise than the file meant
    Status status;                       // a failure when the file could not be read
};

// Adds to `document` an appointment for every event and a task for every to-do of `bytes`,
// an iCalendar file read by libical (the kinds `parts` names; the others are passed over):
//   UTC times and times of a zone the calendar or the system knows become local time at
//   their instant (a zone the system's database knows by its rules, RFC 5545's way for
//   times the clocks skip or repeat); floating times and times of an unknown zone are local
//   time as they stand;
//   an event of whole days is all-day (Schedule::allDay) on each day from its first to its
//   last; a timed event ending on a later day lasts until then (Schedule::lastDay);
//   the first alarm of an event is its alarm, at the distance its trigger gives;
//   a recurring event is one appointment holding the whole series (SeriesReader): its rule,
//   extra and removed starts and the events that override its occurrences, in the zone of
//   its start where the system knows it, otherwise in local time, with its UID; an
//   override of a series the file does not hold is a single appointment, with a note;
//   an appointment or task keeps the UID of its event or to-do;
//   a to-do's due date is its due time (its start without one, today without either); its
//   priorities 1-4 are High, 5 Medium, 6-9 Low, none High; a completed to-do is Done, done
//   on the day it was completed.
// An event or to-do without a summary, a cancelled one, an event without a start, one
// whose start, end or due time does not exist (30 February, hour 25), a series whose rule
// ends before it starts and that has no other start, and an event or to-do the document held
// before (one with the same UID; else a single event with the same description, start and
// end, a series with the same content, a to-do with the same summary and due time) add
// nothing and are listed, and so is every component of a kind not
// read (a journal entry, free/busy time). A calendar nested in another is read as well.
// Events and to-dos without a calendar around them are read with a note, and so is an
// event whose repeat rule cannot be read (added once) and a time zone whose runaway rule is
// left out (dropRunawayZoneRules). Appointments and tasks go into the document as one
// change.
// Text holding no calendar, event or to-do at all, or components nested deeper than any
// calendar nests them, is a Content failure that adds nothing.
CalendarImportResult importICalendarText(PimDocument& document, std::string_view bytes,
                                         CalendarParts parts);

// Reads the file at `path` and imports it as above.
CalendarImportResult importICalendarFile(PimDocument& document, const std::string& path,
                                         CalendarParts parts);

// What the import of `file` did, for reportImport: "5 appointments and 2 tasks added to
// current database, 3 entries skipped; 2 of them were already in the document; 1 of the
// appointments repeats."
[[nodiscard]] ImportTally calendarTally(const CalendarImportResult& result, CalendarParts parts,
                                        const Locale& locale, const std::string& file);
