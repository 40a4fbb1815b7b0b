#include <array>
#include <charconv>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "cli/commands/RepeatOptions.h"
#include "organizer/AppointmentForm.h"
#include "organizer/EditorCommits.h"
#include "organizer/TaskForm.h"
#include "platform/Translate.h"
#include "records/PimDocument.h"

// Scripts add tasks and appointments under the rules the editors hold users to, so that a
// record a script makes can be opened and confirmed in the editor unchanged.

namespace {

// The day an option names; a Usage failure for text that is not a date the editors offer.
Status readDay(const std::string& option, const std::string& text, DateTime& day) {
    const auto chosen = parseDayOption(text);
    if (!chosen)
        return usageFailure(
            fillIn(_("%s wants a date as YYYY-MM-DD, not \"%s\""), {"--" + option, text}));
    day = *chosen;
    return {};
}

Status checkDescription(const std::string& description) {
    if (description.empty()) return usageFailure(_("the description is empty"));
    return {};
}

// What addAndSave() says of a kind of record.
struct AddedTexts {
    const char* noneLeft;  // no identifier is left
    const char* added;     // "Added task %s."
};
constexpr AddedTexts kAddedTask = {N_("no task identifier is left"), N_("Added task %s.")};
constexpr AddedTexts kAddedAppointment = {N_("no appointment identifier is left"),
                                          N_("Added appointment %s.")};

// Adds a record through `add`, which returns its ID (0 when none is left), saves the
// document and says what was added.
template <class Add>
Status addAndSave(CliContext& context, const std::string& path, const AddedTexts& texts, Add add) {
    DocumentUpdate update(context, path);
    PimDocument document(context.clock);
    const RecordsLeftToExit leaveRecords(context, document);
    if (Status loaded = update.load(document); !loaded) return loaded;
    const int32_t id = add(document);
    if (id == 0) return Status::failure(FailureKind::Content, path, _(texts.noneLeft));
    if (Status saved = update.save(document); !saved) return saved;
    context.out << fillIn(_(texts.added), {std::to_string(id)}) << '\n';
    return {};
}

Status runAddTask(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 2, {"due", "priority"}, {}, parsed); !status)
        return status;
    TaskForm form = TaskForm::forNew(DateTime::today(context.clock));
    form.description = parsed.positional()[1];
    if (Status status = checkDescription(form.description); !status) return status;
    if (const auto due = parsed.value("due")) {
        DateTime day;
        if (Status status = readDay("due", *due, day); !status) return status;
        form.chooseDueDate(day);
    }
    if (Status status = checkInEditorRange(_("the due date"), form.dueDate); !status) return status;
    if (const auto priority = parsed.value("priority")) {
        static const std::array<const char*, 4> kNames = {"high", "medium", "low", "done"};
        form.priority = -1;
        for (int32_t i = 0; i < int32_t(kNames.size()); ++i) {
            if (*priority == kNames[size_t(i)]) form.priority = i;
        }
        if (form.priority < 0)
            return usageFailure(fillIn(_("%s wants high, medium, low or done, not \"%s\""),
                                       {"--priority", *priority}));
    }
    return addAndSave(context, parsed.positional()[0], kAddedTask,
                      [&](PimDocument& document) { return addTask(document, nullptr, form); });
}

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

Status runAddAppointment(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    std::vector<std::string> valued = {"date", "from", "to", "alarm", "end-date"};
    valued.insert(valued.end(), kRepeatOptions.begin(), kRepeatOptions.end());
    if (Status status = parseArguments(args, 2, valued, {"all-day"}, parsed); !status)
        return status;
    const std::string& description = parsed.positional()[1];
    if (Status status = checkDescription(description); !status) return status;
    std::string dateText;
    DateTime day;
    if (Status status = required(parsed, "date", dateText); !status) return status;
    if (Status status = readDay("date", dateText, day); !status) return status;
    if (Status status = checkInEditorRange(_("the date"), day); !status) return status;
    DateTime lastDay = day;
    if (Status status = readDateOption(parsed, lastDay, "end-date"); !status) return status;
    if (lastDay < day)
        return usageFailure(fillIn(_("%s is before %s"), {"--end-date " + *parsed.value("end-date"),
                                                          "--date " + dateText}));

    const bool allDay = parsed.has("all-day");
    AppointmentForm form = AppointmentForm::forNew(day, DateTime::now(context.clock));
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

    Appointment appointment =
        form.writtenOver(Appointment::createdAt(DateTime::now(context.clock)));
    Schedule schedule;
    schedule.allDay = allDay;
    if (lastDay > day) schedule.lastDay = lastDay;
    if (allDay)
        makeWholeDays(appointment, form);
    else if (lastDay > day)
        appointment.EndTime = atSecond(day, (to.hour * 60 + to.minute) * 60);
    if (Status status = readRepeatRule(parsed, appointment.StartTime, schedule.rule); !status)
        return status;
    appointment.schedule.set(std::move(schedule));
    return addAndSave(context, parsed.positional()[0], kAddedAppointment,
                      [&](PimDocument& document) { return document.add(appointment); });
}

const std::array<CliCommand, 2> kCommands = {{
    {"add-task", "DOC DESCRIPTION [--due YYYY-MM-DD] [--priority high|medium|low|done]",
     N_("add a task to DOC, due on the given day (today when none is given), High unless "
        "--priority says otherwise"),
     runAddTask},
    {"add-appointment",
     "DOC DESCRIPTION --date YYYY-MM-DD [--from HH:MM --to HH:MM] [--all-day] [--end-date "
     "YYYY-MM-DD] [--alarm MINUTES] [--repeat daily|weekly|monthly|yearly] [--every N] [--on "
     "DAY,...] [--count N] [--until YYYY-MM-DD]",
     N_("add an appointment to DOC from one quarter hour to a later one between 05:00 and 23:00 "
        "(or --all-day), until --end-date when it lasts several days, with an alarm the given "
        "minutes (0 to 60, in fives) before it begins; --repeat makes it a series, every N days, "
        "weeks, months or years, on the --on weekdays (weekly: MO,TH, by default the start's; "
        "monthly: one as 2TU, or -1FR for the last Friday) with --date among them, ending after "
        "--count occurrences or on --until"),
     runAddAppointment},
}};

}  // namespace

std::span<const CliCommand> editorCommands() {
    return kCommands;
}
