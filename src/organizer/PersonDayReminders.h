#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/DateTime.h"
#include "records/Person.h"

class Locale;
class PimDocument;
class DocumentDoor;

// The reminder of a birthday or anniversary, shown once in the year it falls in.
struct PersonDayReminder {
    int32_t personId = 0;
    PersonDate kind = PersonDate::Birthday;
    int year = 0;  // the year of the day reminded of
    DateTime day;
    std::string caption;
    std::string message;
    bool operator==(const PersonDayReminder&) const = default;
};

// The reminders due on `today` (a date), by person ID, each birthday before an anniversary:
// those whose next day, today or later, is at most `daysBefore` days away and whose
// reminder was not shown for that day's year. None when `daysBefore` is negative (the
// reminders are off).
[[nodiscard]] std::vector<PersonDayReminder> duePersonDayReminders(const PimDocument& document,
                                                                   DateTime today, int daysBefore,
                                                                   const Locale& locale);

// Notes the reminder as shown, as the undo step "Turn Off Reminder", so that it is not shown
// again that year. False, changing nothing, when the person is gone, the day changed, or
// it was noted already.
bool notePersonDayReminded(DocumentDoor& door, const PersonDayReminder& reminder);
