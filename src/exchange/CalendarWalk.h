#pragma once

#include <libical/ical.h>

#include <map>
#include <string>

#include "exchange/CalendarEntryReader.h"
#include "exchange/CalendarOutline.h"
#include "exchange/CalendarParts.h"

// Reads the components of a calendar, and of the calendars nested in it, in file order; an
// event that overrides an occurrence of a series is read with the series.
class CalendarWalk {
public:
    CalendarWalk(const Outline& outline, CalendarEntryReader& reader, CalendarParts parts,
                 CalendarImportResult& result)
        : outline_(outline), reader_(reader), parts_(parts), result_(result) {}

    // Reads what libical made of the whole text.
    void readRoot(icalcomponent* root);

private:
    // Finds the line where each component of the calendar, and of those nested in it, begins.
    void number(icalcomponent* calendar);
    void read(icalcomponent* calendar);
    // The line where the next component of this one's name begins.
    size_t nextLine(icalcomponent* component);

    const Outline& outline_;
    CalendarEntryReader& reader_;
    CalendarParts parts_;
    CalendarImportResult& result_;
    std::map<std::string, size_t> taken_;  // components of each name numbered so far
    std::map<icalcomponent*, size_t> lines_;
};
