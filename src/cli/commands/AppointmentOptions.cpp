#include "cli/commands/AppointmentOptions.h"

#include <charconv>
#include <optional>

#include "cli/commands/CommandSupport.h"
#include "cli/commands/RepeatOptions.h"
#include "organizer/AppointmentForm.h"
#include "platform/Translate.h"

const std::vector<std::string> kAppointmentValued = {"date",   "from",  "to", "alarm", "end-date",
                                                     "repeat", "every", "on", "count", "until"};
const std::vector<std::string> kAppointmentFlags = {"all-day"};

namespace {

// A required option's value, or a Usage failure.
Status required(const CliArgs& parsed, const char* option, std::string& value) {
    const auto given = parsed.value(option);
    if (!given) return usageFailure(fillIn(_("%s is required"), {std::string("--") + option}));
    value = *given;
    return {};
}

Status readTime(const char* option, const std::string& text, LocalTime& time) {
    const auto read = parseTimeOption(text);
    if (!read)
        return usageFailure(
            fillIn(_("%s wants a time as HH:MM, not \"%s\""), {std::string("--") + option, text}));
    time = *read;
    return {};
}

// The begin and end of a timed appointment, as the editor offers them. On one day the end
// comes after the begin; an appointment over several days may end earlier in its day.
Status readTimes(const CliArgs& parsed, bool oneDay, AppointmentForm& form, LocalTime& to) {
    std::string fromText, toText;
    LocalTime from;
    for (Status status : {required(parsed, "from", fromText), required(parsed, "to", toText)}) {
        if (!status) return status;
    }
    if (Status status = readTime("from", fromText, from); !status) return status;
    if (Status status = readTime("to", toText, to); !status) return status;
    if (!AppointmentForm::isBeginTime(from.hour, from.minute))
        return usageFailure(fillIn(_("%s is not a begin time: a quarter hour from 05:00 to 22:45"),
                                   {"--from " + fromText}));
    if (!AppointmentForm::isEndTime(to.hour, to.minute))
        return usageFailure(fillIn(_("%s is not an end time: a quarter hour from 05:15 to 23:00"),
                                   {"--to " + toText}));
    // The form holds the times of its one day: an end on a later day is set on the record.
    constexpr int kLastEnd = AppointmentForm::kLastEndQuarter;
    if (!(oneDay ? form.setTimes(from.hour, from.minute, to.hour, to.minute)
                 : form.setTimes(from.hour, from.minute, kLastEnd / 4, kLastEnd % 4 * 15)))
        return usageFailure(
            fillIn(_("%s is not after %s"), {"--to " + toText, "--from " + fromText}));
    return {};
}

Status readAlarm(const CliArgs& parsed, AppointmentForm& form) {
    const auto alarm = parsed.value("alarm");
    if (!alarm) return {};
    int minutes = -1;
    const auto [end, error] =
        std::from_chars(alarm->data(), alarm->data() + alarm->size(), minutes);
    if (error != std::errc() || end != alarm->data() + alarm->size() ||
        !form.setAlarmMinutes(minutes))
        return usageFailure(fillIn(_("%s wants minutes from 0 to 60 in steps of 5, not \"%s\""),
                                   {"--alarm", *alarm}));
    form.setAlarm(true);
    return {};
}

DateTime atSecond(DateTime day, int64_t second) {
    return DateTime::fromLocalSeconds(day.localSeconds().value_or(0) + second);
}

// Whole days as a version-16 reader shows them, 00:00 to 23:59 of the first day; the alarm
// rings as long before 00:00 as it was set to.
void makeWholeDays(Appointment& appointment, const AppointmentForm& form) {
    const DateTime day = appointment.DueDate.date();
    appointment.StartTime = day;
    appointment.EndTime = atSecond(day, (23 * 60 + 59) * 60);
    if (form.alarm()) appointment.AlarmTime = atSecond(day, -form.alarmMinutes() * 60);
}

}  // namespace

Status appointmentFromOptions(const CliArgs& parsed, DateTime now, Appointment& appointment) {
    const std::string& description = parsed.positional()[1];
    if (Status status = checkDescription(description); !status) return status;
    std::string dateText;
    DateTime day;
    if (Status status = required(parsed, "date", dateText); !status) return status;
    if (Status status = readDay("date", dateText, day); !status) return status;
    if (Status status = checkInEditorRange(_("the date"), day); !status) return status;
    if (Status status = checkDayExists(_("the date"), day); !status) return status;
    DateTime lastDay = day;
    if (Status status = readDateOption(parsed, lastDay, "end-date"); !status) return status;
    if (Status status = checkDayExists("--end-date", lastDay); !status) return status;
    if (lastDay < day)
        return usageFailure(fillIn(_("%s is before %s"), {"--end-date " + *parsed.value("end-date"),
                                                          "--date " + dateText}));

    const bool allDay = parsed.has("all-day");
    AppointmentForm form = AppointmentForm::forNew(day, now);
    form.setDescription(description);
    LocalTime to;
    for (const std::string option : {"from", "to"}) {
        if (allDay && parsed.has(option))
            return usageFailure(fillIn(_("%s cannot go with %s"), {"--" + option, "--all-day"}));
    }
    if (!allDay) {
        if (Status status = readTimes(parsed, lastDay == day, form, to); !status) return status;
    }
    if (Status status = readAlarm(parsed, form); !status) return status;

    Appointment made = form.writtenOver(Appointment::createdAt(now));
    Schedule schedule;
    schedule.allDay = allDay;
    if (lastDay > day) schedule.lastDay = lastDay;
    if (allDay)
        makeWholeDays(made, form);
    else if (lastDay > day)
        made.EndTime = atSecond(day, (to.hour * 60 + to.minute) * 60);
    if (Status status = readRepeatRule(parsed, made.StartTime, schedule.rule); !status)
        return status;
    made.schedule.set(std::move(schedule));
    appointment = std::move(made);
    return {};
}
