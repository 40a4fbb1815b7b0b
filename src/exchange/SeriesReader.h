#pragma once

#include <libical/ical.h>

#include <vector>

#include "records/Appointment.h"
#include "records/RuleExpansion.h"
#include "textio/TextImport.h"

// An event of a calendar that changes one occurrence of a series (it has a RECURRENCE-ID),
// or that one and all later ones, and the line of the file it begins on.
struct EventOverride {
    icalcomponent* event = nullptr;  // the VEVENT with the RECURRENCE-ID
    size_t line = 0;                 // where it begins, for notes
};

// What a recurring event of a calendar makes.
struct SeriesRead {
    // The appointment holding the series; more than one when an override changes an
    // occurrence and all later ones: each takes the series on from there. Empty when the
    // event makes no occurrence.
    std::vector<Appointment> appointments;
    const char* failure = nullptr;  // why it makes none
};

// Reads a recurring event into appointments with a schedule: its rule (RRULE), extra starts
// (RDATE, a period's own end as a changed occurrence), removed starts (EXDATE) and the
// events that override its occurrences, keyed by the start they replace in the series' wall
// clock (SeriesWall). The series keeps the event's UID.
class SeriesReader {
public:
    // `notes` gets what was read otherwise than the file meant; `budget` bounds the work
    // the rules of the whole import cause here.
    SeriesReader(icalcomponent* calendar, DateTime now, std::vector<SkippedRecord>& notes,
                 ExpansionBudget& budget)
        : calendar_(calendar), now_(now), notes_(notes), budget_(budget) {}

    // Reads `event`, which begins on `line` and has a start that can be read, with its
    // overrides.
    [[nodiscard]] SeriesRead read(icalcomponent* event, size_t line,
                                  const std::vector<EventOverride>& overrides);

private:
    icalcomponent* calendar_;
    DateTime now_;
    std::vector<SkippedRecord>& notes_;
    ExpansionBudget& budget_;
};
