#include "organizer/ReminderText.h"
#include "platform/Translate.h"

#include <cstdio>

#include "fileio/TextEncoding.h"

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

std::string reminderMessage(DateTime startTime) {
    // Built from the fields rather than strftime's %p, which the C library leaves empty in
    // locales that have no AM and PM.
    std::string time;
    if (const auto f = startTime.fields()) {
        char buffer[16];
        const int hour12 = f->hour % 12 == 0 ? 12 : f->hour % 12;
        std::snprintf(buffer, sizeof buffer, "%02d:%02d %s", hour12, f->minute,
                      f->hour < 12 ? "AM" : "PM");
        time = buffer;
    }
    return fillIn(_("This is your reminder for your %s appointment."), {time});
}
