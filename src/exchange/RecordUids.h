#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "exchange/CalendarParts.h"
#include "records/Appointment.h"
#include "records/Person.h"
#include "records/SecondsConverter.h"
#include "records/Task.h"

class PimDocument;

// The UIDs records travel under in vCard and iCalendar files and to a server. A record keeps
// the UID it came with; one made here is given one when it is first exported or synced,
// and keeps it from then on, so that another program that reads it twice updates it
// rather than adding it again.

// Which kinds of record.
struct UidKinds {
    bool persons = false;
    bool appointments = false;
    bool tasks = false;
    // The kinds an iCalendar file of `parts` carries.
    [[nodiscard]] static UidKinds of(CalendarParts parts) {
        return {false, hasAppointments(parts), hasTasks(parts)};
    }
};

// The record's own UID, or the one it would be given: made from its kind, ID, text and
// time (as the instant the document stores), so that exports in any time zone, and again
// before the document keeps it, agree. One maker serves many records.
class UidMaker {
public:
    [[nodiscard]] std::string of(const Person& person);
    [[nodiscard]] std::string of(const Task& task);
    [[nodiscard]] std::string of(const Appointment& appointment);

private:
    [[nodiscard]] std::string made(const char* kind, int32_t id, std::string_view text,
                                   DateTime time);
    SecondsConverter seconds_;
};

// A UID as a record keeps it from a file: without the control characters (the tab aside)
// that no file may carry and our writers therefore drop, so that the UID a record came with
// is the one it goes out under.
[[nodiscard]] std::string keptUid(std::string written);

// UIDs ordered and compared as keptUid leaves them, so that a record a document stored
// before they were dropped is still known by its UID.
struct KeptUidOrder {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};
[[nodiscard]] bool sameKeptUid(std::string_view a, std::string_view b);

// Gives every record of `kinds` without a UID the one UidMaker makes, as one change of the
// document; returns how many it gave.
size_t giveUids(PimDocument& document, UidKinds kinds);
// Whether giveUids would give any.
[[nodiscard]] bool lacksUids(const PimDocument& document, UidKinds kinds);
