#pragma once

#include <cstdint>
#include <string>

#include "exchange/CalendarParts.h"
#include "textio/TextExport.h"

class PimDocument;

// An iCalendar text of the document's appointments as events and its tasks as to-dos, in
// ascending ID, folded and escaped as libical writes it:
//   an appointment's description is the summary; its start and end are in UTC where the
//   local time names one instant, floating otherwise; an alarm is a display alarm at the
//   same distance from the start;
//   an appointment that holds a Schedule (a series, whole days, several days, a zone) is
//   written as SeriesEventWriter says, the zones its events name defined before them;
//   a task's due date is a date when it falls at midnight, a time otherwise; High, Medium
//   and Low are the priorities 1, 5 and 9; a done task is completed on its done date.
// An appointment without a valid start is left out. The calendar is written even with no
// records. `records` receives how many it holds.
[[nodiscard]] std::string icalendarText(const PimDocument& document, CalendarParts parts,
                                        int32_t* records = nullptr);

// Writes the text of icalendarText to `path` in one atomic step.
ExportResult exportICalendarFile(const PimDocument& document, const std::string& path,
                                 CalendarParts parts);
