#include "organizer/Reminders.h"

#include "organizer/ReminderText.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"

namespace {

// An alarm time worked out as the start less some minutes can land a hair after its whole
// second; the clock reads whole seconds.
constexpr double kHalfSecond = 0.5 / 86400.0;

}  // namespace

bool isAlarmDue(const Appointment& appointment, DateTime now) {
    return appointment.Alarm &&
           now.continuous() + kHalfSecond >= appointment.AlarmTime.continuous();
}

bool isExamined(const Appointment& appointment, DateTime shown, DateTime today) {
    // By the local date: a due date read back may carry a time of day.
    const DateTime day = appointment.DueDate.date();
    return day == shown || day >= today;
}

std::vector<Reminder> dueReminders(const PimDocument& document, DateTime shown, DateTime now) {
    std::vector<Reminder> due;
    const DateTime today = now.date();
    // The cheap test first: most appointments have no alarm.
    for (const auto& [id, appointment] : document.appointments()) {
        if (isAlarmDue(appointment, now) && isExamined(appointment, shown, today)) {
            due.push_back(Reminder{id, reminderCaption(appointment.Description),
                                   reminderMessage(appointment.StartTime)});
        }
    }
    return due;
}

bool stillDue(const PimDocument& document, int32_t id, DateTime now) {
    const Appointment* appointment = document.appointments().find(id);
    return appointment != nullptr && isAlarmDue(*appointment, now);
}

bool turnOffReminder(PimDocument& document, UndoHistory* history, int32_t id) {
    const Appointment* current = document.appointments().find(id);
    if (current == nullptr || !current->Alarm) return false;
    // The record as it is now, not as the tick saw it: an edit made meanwhile stays.
    Appointment changed = *current;
    changed.Alarm = false;
    UndoHistory::Step step(history, UndoStep::TurnOffReminder);
    return document.replace(std::move(changed));
}
