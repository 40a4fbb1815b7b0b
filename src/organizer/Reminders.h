#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/DateTime.h"

class Locale;
class DocumentDoor;
class PimDocument;
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
    // Set when the appointment is over: it is listed, by this line naming its date, in the
    // one window of missed reminders rather than in a window of its own.
    std::string missedLine;
    bool operator==(const Reminder&) const = default;
};

// How far back a tick looks for alarms missed: what the catch-up after opening a document
// lists, and the longest gap between two ticks it bridges.
inline constexpr double kMissedDays = 1.0;

// Whether the alarm of an ordinary appointment has come due at `now`: its flag is set and
// `now` is at or after its alarm time, to the second.
[[nodiscard]] bool isAlarmDue(const Appointment& appointment, DateTime now);

// Whether an occurrence is over at `now`: it has ended (or, ending before it starts, begun).
[[nodiscard]] bool isOver(const Occurrence& occurrence, DateTime now);

// Whether a tick at `now` that follows one at `since` reminds of an appointment whose alarm
// is due: it is not over yet, or its alarm came due after `since` (a zero-length
// appointment, or a machine that slept through it). Merely selecting a day reminds of
// nothing: an appointment that is over was reminded of when its alarm came due.
[[nodiscard]] bool isExamined(const Occurrence& occurrence, DateTime since, DateTime now);

// The moment a tick looks back to: `since`, but no further than a day before `now`; null
// stands for the catch-up after opening a document, which looks back a day.
[[nodiscard]] DateTime lookBackFrom(DateTime since, DateTime now);

// Whether the appointment or one of its changed occurrences has its alarm set: most
// appointments have none.
[[nodiscard]] bool hasAnyAlarm(const Appointment& appointment);

// Whether an occurrence's alarm is set and has not been turned off.
[[nodiscard]] bool alarmStillSet(const Occurrence& occurrence);

// The occurrence of an appointment with a schedule whose reminder is due at `now` in a tick
// that follows one at `since`, or one with a null start. Of the occurrences whose alarm
// has rung and was not turned off, and which isExamined() takes, the one that rang last:
// turning it off turns off those before it too, so a series never asks twice.
[[nodiscard]] Occurrence dueOccurrence(const Appointment& appointment, DateTime since,
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

// The reminders due at `now` in a tick that follows one at `since` (null after opening a
// document), in ascending ID: the order in which their windows open. Those of appointments
// that are over carry their missedLine.
[[nodiscard]] std::vector<Reminder> dueReminders(const PimDocument& document, DateTime since,
                                                 DateTime now, const Locale& locale);

// The reminder, with its missedLine, of an occurrence that is over.
[[nodiscard]] Reminder missedReminderFor(const Occurrence& occurrence, const Locale& locale);

// Whether a reminder is still due: what a window about to open checks again, since an
// earlier window may have turned the alarm off meanwhile.
[[nodiscard]] bool stillDue(const PimDocument& document, const Reminder& reminder, DateTime now);

// Turns the reminder off as the undo step "Turn Off Reminder": clears the alarm of an
// appointment that does not repeat; for an occurrence of a series, marks the alarms up to
// this one's as done, so that the next occurrences still ring. False, changing nothing,
// when the appointment or occurrence is gone or its alarm is already off.
bool turnOffReminder(DocumentDoor& door, const Reminder& reminder);
