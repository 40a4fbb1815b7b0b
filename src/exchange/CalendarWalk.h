#pragma once

#include <libical/ical.h>

#include <map>
#include <string>

#include "exchange/CalendarEntryReader.h"
#include "exchange/CalendarOutline.h"
#include "exchange/CalendarParts.h"

// Reads the components of a calendar, and of the calendars nested in it, in file order.
class CalendarWalk {
public:
    CalendarWalk(const Outline& outline, CalendarEntryReader& reader, CalendarParts parts,
                 CalendarImportResult& result)
        : outline_(outline), reader_(reader), parts_(parts), result_(result) {}

    // Reads what libical made of the whole text.
    void readRoot(icalcomponent* root);

private:
    void read(icalcomponent* calendar);
    // The line where the next component of this one's name begins.
    size_t nextLine(icalcomponent* component);

    const Outline& outline_;
    CalendarEntryReader& reader_;
    CalendarParts parts_;
    CalendarImportResult& result_;
    std::map<std::string, size_t> taken_;  // components of each name read so far
};
