#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/CalendarParts.h"
#include "platform/Status.h"
#include "records/DateTime.h"
#include "textio/ImportReport.h"
#include "textio/TextImport.h"

class Locale;
class PimDocument;

// What a calendar import did.
struct CalendarImportResult {
    int32_t appointments = 0;            // appointments added
    int32_t tasks = 0;                   // tasks added
    int32_t occurrences = 0;             // appointments among them that repeat a recurring event
    int32_t recurringEvents = 0;         // the recurring events they repeat
    DateTime windowStart;                // occurrences are taken from this day
    DateTime windowEnd;                  // up to, not including, this one
    std::vector<SkippedRecord> skipped;  // events, to-dos and other components that added nothing
    std::vector<SkippedRecord> notes;    // what was read otherwise than the file meant
    Status status;                       // a failure when the file could not be read
};

// Adds to `document` an appointment for every event and a task for every to-do of `bytes`,
// an iCalendar file read by libical (the kinds `parts` names; the others are passed over):
//   UTC times and times of a zone the calendar or the system knows become local time at
//   their instant; floating times and times of an unknown zone are local time as they stand;
//   an event of whole days runs from 00:00 of its first day to 23:59 of its last;
//   the first alarm of an event is its alarm, at the distance its trigger gives;
//   a recurring event adds each occurrence from one year before today up to two years after
//   it; an occurrence that another event replaces is that event instead;
//   a to-do's due date is its due time (its start without one, today without either); its
//   priorities 1-4 are High, 5 Medium, 6-9 Low, none High; a completed to-do is Done, done
//   on the day it was completed.
// An event or to-do without a summary, a cancelled one, an event without a start, one
// whose start, end or due time does not exist (30 February, hour 25), a recurring event
// that makes more dates than RecurrenceBudget allows and an event that the document held
// before (same description, start and end) add nothing and are listed, and so is every
// component of a kind not read (a journal entry, free/busy time). A calendar nested in
// another is read as well. Events and to-dos without a calendar around them are read with
// a note, and so is an event whose repeat rule libical cannot read (added once) and a time
// zone whose runaway rule is left out (dropRunawayZoneRules). Appointments and tasks go
// into the document as one change.
// Text holding no calendar, event or to-do at all, or components nested deeper than any
// calendar nests them, is a Content failure that adds nothing.
CalendarImportResult importICalendarText(PimDocument& document, std::string_view bytes,
                                         CalendarParts parts);

// Reads the file at `path` and imports it as above.
CalendarImportResult importICalendarFile(PimDocument& document, const std::string& path,
                                         CalendarParts parts);

// What the import of `file` did, for reportImport: "5 appointments and 2 tasks added to
// current database, 1 entry skipped; 4 of the appointments are occurrences of 1 recurring
// event from 12/6/2025 to 12/5/2028."
[[nodiscard]] ImportTally calendarTally(const CalendarImportResult& result, CalendarParts parts,
                                        const Locale& locale, const std::string& file);
