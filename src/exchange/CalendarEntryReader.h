#pragma once

#include <libical/ical.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "exchange/ICalImport.h"
#include "exchange/RecurrenceExpansion.h"
#include "records/NewRecords.h"
#include "records/PimDocument.h"

// Turns the events and to-dos of a calendar into new appointments and tasks, numbered for
// the document they will go into, and counts what it did in a CalendarImportResult.
class CalendarEntryReader {
public:
    CalendarEntryReader(const PimDocument& document, CalendarImportResult& result);

    // Reads one event of `calendar`, which begins on `line` of the file. `replaced` lists
    // the local starts of the event's occurrences that other events replace.
    void readEvent(icalcomponent* event, icalcomponent* calendar, size_t line,
                   const std::vector<DateTime>& replaced);
    // Reads one to-do of `calendar`, which begins on `line` of the file.
    void readTask(icalcomponent* todo, icalcomponent* calendar, size_t line);

    NewRecords<Appointment> appointments;
    NewRecords<Task> tasks;

private:
    // What every occurrence of an event shares.
    struct EventShape {
        std::string description;
        DateTimeSpan length;  // from start to end, in local time
        bool wholeDays = false;
        int days = 1;  // the days an event of whole days covers
        bool alarm = false;
        int alarmOffset = 0;  // seconds from the start to the alarm
    };
    [[nodiscard]] const char* shapeOf(icalcomponent* event, icalcomponent* calendar,
                                      EventShape& shape) const;
    [[nodiscard]] Appointment appointmentAt(icaltimetype start, const EventShape& shape) const;
    // Adds the appointment unless it is already there; the reason when it is not added.
    const char* add(Appointment&& appointment);
    void skip(size_t line, const char* reason);
    void note(size_t line, const char* what);

    CalendarImportResult& result_;
    const DateTime now_;
    const DateTime today_;
    RecurrenceBudget budget_;
    // The series occurrences were added of, by UID: a replaced occurrence whose rule was
    // skipped still names its series.
    std::set<std::string> series_;
    // Description, start and end of the appointments the document held before.
    std::set<std::tuple<std::string, double, double>> present_;
};
