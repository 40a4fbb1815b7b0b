#pragma once

#include <libical/ical.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "exchange/ICalImport.h"
#include "exchange/RecordUids.h"
#include "exchange/SeriesReader.h"
#include "records/NewRecords.h"
#include "records/PimDocument.h"
#include "records/RuleExpansion.h"

// Turns the events and to-dos of a calendar into new appointments and tasks, numbered for
// the document they will go into, and counts what it did in a CalendarImportResult.
class CalendarEntryReader {
public:
    CalendarEntryReader(const PimDocument& document, CalendarImportResult& result);

    // Reads one event of `calendar`, which begins on `line` of the file, with the events
    // that override its occurrences: a series when it repeats or has overrides, otherwise a
    // single appointment.
    void readEvent(icalcomponent* event, icalcomponent* calendar, size_t line,
                   const std::vector<EventOverride>& overrides);
    // Reads an event that overrides an occurrence of a series the calendar does not hold,
    // which begins on `line`: a single appointment, with a note.
    void readLoneOverride(icalcomponent* event, icalcomponent* calendar, size_t line);
    // Reads one to-do of `calendar`, which begins on `line` of the file.
    void readTask(icalcomponent* todo, icalcomponent* calendar, size_t line);

    NewRecords<Appointment> appointments;
    NewRecords<Task> tasks;

private:
    // Why an event adds nothing (no summary, cancelled, no start or end that can be read);
    // nullptr when it may add something.
    [[nodiscard]] const char* refusalOf(icalcomponent* event, icalcomponent* calendar) const;
    // The event as a single appointment in local time.
    [[nodiscard]] Appointment singleOf(icalcomponent* event, icalcomponent* calendar) const;
    // Whether the document held the appointment before: by its UID; else a single one by
    // description, start and end, a series by all it holds.
    [[nodiscard]] bool isPresent(const Appointment& appointment) const;
    // Adds the appointment unless it is already there; the reason when it is not added.
    const char* add(Appointment&& appointment);
    void skip(size_t line, const char* reason);
    void note(size_t line, const char* what);

    CalendarImportResult& result_;
    const DateTime now_;
    const DateTime today_;
    ExpansionBudget budget_;  // the work the rules of the whole import may cause
    // Description, start and end of an appointment.
    using Key = std::tuple<std::string, double, double>;
    [[nodiscard]] static Key keyOf(const Appointment& appointment);

    // What the document held before; it does not change while the import reads.
    std::set<Key> present_;
    std::set<std::string, KeptUidOrder> presentUids_;
    std::multimap<Key, const Appointment*> presentSeries_;
    std::set<std::string, KeptUidOrder> presentTaskUids_;
    std::set<std::string, KeptUidOrder> takenUids_;          // by the appointments of this file
    std::set<std::pair<std::string, double>> presentTasks_;  // description and due date
};
