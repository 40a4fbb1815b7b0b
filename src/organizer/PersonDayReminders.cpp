#include "organizer/PersonDayReminders.h"

#include "organizer/PersonDays.h"
#include "organizer/ReminderText.h"
#include "platform/Translate.h"
#include "records/DateTimeSpan.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"

namespace {

// The first day of `date` on or after `today`; null for none.
DateTime nextDay(const MonthDay& date, DateTime today) {
    const DateTime thisYear = date.dayIn(today.year());
    if (!thisYear.isNull() && thisYear >= today) return thisYear;
    return date.dayIn(today.year() + 1);
}

}  // namespace

std::vector<PersonDayReminder> duePersonDayReminders(const PimDocument& document, DateTime today,
                                                     int daysBefore, const Locale& locale) {
    std::vector<PersonDayReminder> due;
    today = today.date();
    if (daysBefore < 0 || !today.isValid()) return due;
    const DateTime horizon = today + DateTimeSpan(double(daysBefore));
    for (const auto& [id, person] : document.persons()) {
        for (const PersonDate kind : {PersonDate::Birthday, PersonDate::Anniversary}) {
            const MonthDay& date = person.date(kind);
            if (!date.isSet()) continue;
            const DateTime day = nextDay(date, today);
            if (day.isNull() || day > horizon || person.remindedYear(kind) == day.year()) continue;
            const std::string description = personDayText(person, kind, day.year());
            std::string message =
                day == today ? fillIn(_("%s is today."), {description})
                             : fillIn(_("%s is on %s."),
                                      {description, day.formatDate(locale, DateStyle::Long)});
            due.push_back(
                {id, kind, day.year(), day, reminderCaption(description), std::move(message)});
        }
    }
    return due;
}

bool notePersonDayReminded(DocumentDoor& door, const PersonDayReminder& reminder) {
    const Person* current = door.document().persons().find(reminder.personId);
    if (current == nullptr || current->remindedYear(reminder.kind) == reminder.year ||
        current->date(reminder.kind).dayIn(reminder.year) != reminder.day)
        return false;
    Person changed = *current;
    changed.setRemindedYear(reminder.kind, reminder.year);
    return door.runStep(UndoStep::TurnOffReminder, [&](PimDocument& document) {
        return document.replace(std::move(changed));
    });
}
