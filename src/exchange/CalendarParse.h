#pragma once

#include <libical/ical.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/CalendarOutline.h"
#include "textio/TextImport.h"

// Owns a libical component and frees it with all it holds.
struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// A server's item as a calendar to write into (a lone component is put in one), or nullptr
// when libical could not read all of it: written back, what it left out would be lost.
[[nodiscard]] Component serverCalendar(std::string_view text);

// The one component of the kind in the calendar that is no override of a series (has no
// RECURRENCE-ID); nullptr for none, and for several: which of them an item's record was
// read from cannot be told, and a patch written into another would add a record.
[[nodiscard]] icalcomponent* masterOf(icalcomponent* calendar, icalcomponent_kind kind);

// Whether a to-do is done: its status says so, or it has a completion time, or 100 percent.
[[nodiscard]] bool isCompletedTodo(icalcomponent* todo);

// What libical makes of unfolded iCalendar text (up to its first NUL byte), or nullptr.
// The text reaches libical a piece at a time, each piece found by looking only as far as
// the piece reaches, so that a line of any length is read in time linear in its length.
[[nodiscard]] icalcomponent* parseCalendarText(const std::string& text);

// The component as iCalendar text, as libical writes it; its buffer is freed also when the
// copy runs out of memory.
[[nodiscard]] std::string calendarTextOf(icalcomponent* component);

// Drops the repeat rules of time zones (VTIMEZONE) that change the clock more often than
// monthly, or at more than one hour, minute or second of a day: libical expands a zone's
// rules from their first onset on, so a rule repeating every second since 1601 would grow
// without end. The zone keeps its onsets; each zone with a rule dropped gets a note on the
// line where it begins.
// `root` is a calendar or a root of several components.
void dropRunawayZoneRules(icalcomponent* root, const Outline& outline,
                          std::vector<SkippedRecord>& notes);
