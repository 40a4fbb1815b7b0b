#include "organizer/ReminderText.h"
#include "platform/Translate.h"

#include <cstdio>

#include "fileio/TextEncoding.h"
#include "platform/Locale.h"

std::string_view firstCharacters(std::string_view text, size_t count) {
    size_t end = 0;
    for (size_t taken = 0; taken < count && end < text.size(); ++taken) {
        const size_t length = utf8CharLength(text.substr(end));
        end += length == 0 ? 1 : length;
    }
    return text.substr(0, end);
}

std::string reminderCaption(std::string_view description) {
    return fillIn(_("Reminder: %s"),
                  {std::string(firstCharacters(description, kCaptionDescriptionChars))});
}

namespace {

// "10:00 AM": built from the fields rather than strftime's %p, which the C library leaves
// empty in locales that have no AM and PM.
std::string twelveHourTime(DateTime time) {
    const auto f = time.fields();
    if (!f) return "";
    char buffer[16];
    const int hour12 = f->hour % 12 == 0 ? 12 : f->hour % 12;
    std::snprintf(buffer, sizeof buffer, "%02d:%02d %s", hour12, f->minute,
                  f->hour < 12 ? "AM" : "PM");
    return buffer;
}

}  // namespace

std::string reminderMessage(DateTime startTime) {
    return fillIn(_("This is your reminder for your %s appointment."), {twelveHourTime(startTime)});
}

std::string reminderMessage(DateTime start, const Locale& locale) {
    return fillIn(_("This is your reminder for your %s appointment on %s."),
                  {twelveHourTime(start), start.formatDate(locale, DateStyle::Long)});
}

std::string allDayReminderMessage(DateTime day, const Locale& locale) {
    return fillIn(_("This is your reminder for your all-day appointment on %s."),
                  {day.formatDate(locale, DateStyle::Long)});
}

std::string missedReminderLine(DateTime start, bool allDay, std::string_view description,
                               const Locale& locale) {
    return fillIn(_("%s, %s: %s"),
                  {start.formatDate(locale, DateStyle::Long),
                   allDay                            ? _("all day")
                   : usesTwentyFourHourClock(locale) ? start.formatTime(locale, "HH':'mm")
                                                     : twelveHourTime(start),
                   std::string(firstCharacters(description, kCaptionDescriptionChars))});
}

std::string missedRemindersCaption() {
    return _("Missed Reminders");
}

std::string missedRemindersMessage(const std::vector<std::string>& lines) {
    std::string message = _("These appointments are over; their reminders came due unseen:");
    for (const std::string& line : lines)
        message += "\n" + line;
    return message;
}
