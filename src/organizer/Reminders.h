#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/DateTime.h"

class PimDocument;
class UndoHistory;
struct Appointment;

// A reminder window to open: the appointment it is for and the window's texts.
struct Reminder {
    int32_t id = 0;
    std::string caption;
    std::string message;
    bool operator==(const Reminder&) const = default;
};

// Whether the alarm has come due at `now`: its flag is set and `now` is at or after its
// alarm time, to the second.
[[nodiscard]] bool isAlarmDue(const Appointment& appointment, DateTime now);

// Whether the reminder tick looks at the appointment: it is listed on the shown date, or
// its day is `today` (00:00) or later, so that no alarm is missed for looking at another
// day.
[[nodiscard]] bool isExamined(const Appointment& appointment, DateTime shown, DateTime today);

// The reminders due at `now` with `shown` selected in the calendar, in ascending ID: the
// order in which their windows open.
[[nodiscard]] std::vector<Reminder> dueReminders(const PimDocument& document, DateTime shown,
                                                 DateTime now);

// The reminder for one appointment if it is still due: what a window about to open checks
// again, since an earlier window may have turned the alarm off meanwhile.
[[nodiscard]] bool stillDue(const PimDocument& document, int32_t id, DateTime now);

// Clears the appointment's alarm as the undo step "Turn Off Reminder"; false, changing
// nothing, when the appointment is gone or its alarm is already off.
bool turnOffReminder(PimDocument& document, UndoHistory* history, int32_t id);
