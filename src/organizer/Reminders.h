#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/DateTime.h"

class Locale;
class PimDocument;
class UndoHistory;
struct Appointment;
struct Occurrence;

// A reminder window to open: the appointment, and which of its occurrences, it is for, and
// the window's texts.
struct Reminder {
    int32_t id = 0;
    DateTime key;  // the occurrence's key in its series; null when the appointment does not repeat
    DateTime start;  // the occurrence's local start; an ordinary appointment's StartTime
    std::string caption;
    std::string message;
    bool operator==(const Reminder&) const = default;
};

// Whether the alarm of an ordinary appointment has come due at `now`: its flag is set and
// `now` is at or after its alarm time, to the second.
[[nodiscard]] bool isAlarmDue(const Appointment& appointment, DateTime now);

// Whether the reminder tick looks at an ordinary appointment: it is listed on the shown
// date, or its day is `today` (00:00) or later, so that no alarm is missed for looking at
// another day.
[[nodiscard]] bool isExamined(const Appointment& appointment, DateTime shown, DateTime today);

// Whether the appointment or one of its changed occurrences has its alarm set: most
// appointments have none.
[[nodiscard]] bool hasAnyAlarm(const Appointment& appointment);

// Whether an occurrence's alarm is set and has not been turned off.
[[nodiscard]] bool alarmStillSet(const Occurrence& occurrence);

// The occurrence of an appointment with a schedule whose reminder is due at `now` with
// `shown` selected, or one with a null start. Of the occurrences whose alarm has rung and
// was not turned off, and which are listed on `shown` or on today or later, the one that
// rang last: turning it off turns off those before it too, so a series never asks twice.
[[nodiscard]] Occurrence dueOccurrence(const Appointment& appointment, DateTime shown,
                                       DateTime now);

// Of the occurrences of an appointment with a schedule whose alarm is still set and which
// are listed on `fromDay` or later, the earliest alarm time later than `after` (which may
// be null); null when there is none. When the model's work budget runs out first, a time
// no later than the next day, to look again then. Nothing of the appointment is due from
// `fromDay` on before that time, but on an earlier day shown.
[[nodiscard]] DateTime nextAlarm(const Appointment& appointment, DateTime fromDay, DateTime after);

// The reminder of an ordinary appointment, and that of an occurrence, which names its date
// when the appointment repeats or lasts whole days.
[[nodiscard]] Reminder reminderFor(int32_t id, const Appointment& appointment);
[[nodiscard]] Reminder reminderFor(const Occurrence& occurrence, const Locale& locale);

// The reminders due at `now` with `shown` selected, in ascending ID: the order in which
// their windows open.
[[nodiscard]] std::vector<Reminder> dueReminders(const PimDocument& document, DateTime shown,
                                                 DateTime now, const Locale& locale);

// Whether a reminder is still due: what a window about to open checks again, since an
// earlier window may have turned the alarm off meanwhile.
[[nodiscard]] bool stillDue(const PimDocument& document, const Reminder& reminder, DateTime now);

// Turns the reminder off as the undo step "Turn Off Reminder": clears the alarm of an
// appointment that does not repeat; for an occurrence of a series, marks the alarms up to
// this one's as done, so that the next occurrences still ring. False, changing nothing,
// when the appointment or occurrence is gone or its alarm is already off.
bool turnOffReminder(PimDocument& document, UndoHistory* history, const Reminder& reminder);
