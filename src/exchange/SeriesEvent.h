#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/Occurrences.h"
#include "records/SecondsConverter.h"

// Writes an appointment that holds a Schedule as iCalendar events: one event with its start
// and end, repeat rule (UNTIL in the form of the start), extra and removed starts, and one
// event more for each occurrence changed alone (RECURRENCE-ID the start it replaces), all
// under one UID. Whole days are dates, the end the day after the last. A zoned series is
// written in its zone's wall time. A series made here keeps its local hour on both sides of
// a daylight-saving change, so it cannot be written in UTC: it is written in the local zone
// when that has a name, floating otherwise. One that does not repeat and has no zone is
// written in UTC as ordinary appointments are.
class SeriesEventWriter {
public:
    explicit SeriesEventWriter(std::string& out) : out_(out) {}

    // Whether the appointment's schedule changes what its event says: anything but the
    // alarms it has rung, which an ordinary appointment may hold too.
    [[nodiscard]] static bool writes(const Appointment& appointment);

    // Appends the events of `appointment`, a valid DueDate and StartTime given; `uid` is the
    // UID it is written under, `stampLine` the DTSTAMP line with its CR LF.
    void write(const Appointment& appointment, std::string_view uid, std::string_view stampLine);

    // The definitions (VTIMEZONE) of the zones the events written so far name, for the
    // calendar to hold before them.
    [[nodiscard]] std::string zoneDefinitions() const;

private:
    // How the times of one series are written.
    struct Form {
        enum Kind { Date, Zoned, Floating, Utc } kind = Floating;
        std::string zone;                  // Zoned: the zone's name, its TZID
        const ZoneRules* rules = nullptr;  // Zoned: its rules, for an UNTIL in UTC
    };

    [[nodiscard]] Form formOf(const Appointment& appointment, const SeriesOutline& outline);
    // The local zone, looked up at the first series that needs it.
    [[nodiscard]] const Form& localForm();
    void nameZone(const std::string& zone);

    void time(std::string_view name, const Form& form, int64_t wall);
    void rule(const RecurrenceRule& rule, const Form& form, int64_t until);
    void changedOccurrence(const ChangedOccurrence& change, const Form& form, std::string_view uid,
                           std::string_view stampLine);

    std::string& out_;
    std::string line_;  // scratch for a text property
    SecondsConverter seconds_;
    std::optional<Form> local_;
    std::vector<std::string> zones_;  // the zones named, in the order first named
};
