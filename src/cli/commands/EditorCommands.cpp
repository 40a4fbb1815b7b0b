#include <array>
#include <charconv>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "organizer/AppointmentForm.h"
#include "organizer/EditorCommits.h"
#include "organizer/TaskForm.h"
#include "records/PimDocument.h"

// Scripts add tasks and appointments under the rules the editors hold users to, so that a
// record a script makes can be opened and confirmed in the editor unchanged.

namespace {

// The day an option names; a Usage failure for text that is not a date the editors offer.
Status readDay(const std::string& option, const std::string& text, DateTime& day) {
    const auto chosen = parseDayOption(text);
    if (!chosen)
        return usageFailure("--" + option + " wants a date as YYYY-MM-DD, not \"" + text + "\"");
    day = *chosen;
    return {};
}

Status checkDescription(const std::string& description) {
    if (description.empty()) return usageFailure("the description is empty");
    return {};
}

// Adds a record through `add`, which returns its ID (0 when none is left), saves the
// document and says what was added.
template <class Add>
Status addAndSave(CliContext& context, const std::string& path, const char* kind, Add add) {
    DocumentUpdate update(context, path);
    PimDocument document(context.clock);
    const RecordsLeftToExit leaveRecords(context, document);
    if (Status loaded = update.load(document); !loaded) return loaded;
    const int32_t id = add(document);
    if (id == 0)
        return Status::failure(FailureKind::Content, path,
                               std::string("no ") + kind + " identifier is left");
    if (Status saved = update.save(document); !saved) return saved;
    context.out << "Added " << kind << ' ' << id << ".\n";
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
    if (Status status = checkInEditorRange("the due date", form.dueDate); !status) return status;
    if (const auto priority = parsed.value("priority")) {
        static const std::array<const char*, 4> kNames = {"high", "medium", "low", "done"};
        form.priority = -1;
        for (int32_t i = 0; i < int32_t(kNames.size()); ++i) {
            if (*priority == kNames[size_t(i)]) form.priority = i;
        }
        if (form.priority < 0)
            return usageFailure("--priority wants high, medium, low or done, not \"" + *priority +
                                "\"");
    }
    return addAndSave(context, parsed.positional()[0], "task",
                      [&](PimDocument& document) { return addTask(document, nullptr, form); });
}

// A required option's value, or a Usage failure.
Status required(const CliArgs& parsed, const char* option, std::string& value) {
    const auto given = parsed.value(option);
    if (!given) return usageFailure(std::string("--") + option + " is required");
    value = *given;
    return {};
}

Status readTime(const char* option, const std::string& text, LocalTime& time) {
    const auto read = parseTimeOption(text);
    if (!read)
        return usageFailure(std::string("--") + option + " wants a time as HH:MM, not \"" + text +
                            "\"");
    time = *read;
    return {};
}

Status runAddAppointment(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 2, {"date", "from", "to", "alarm"}, {}, parsed);
        !status)
        return status;
    const std::string& description = parsed.positional()[1];
    if (Status status = checkDescription(description); !status) return status;
    std::string dateText, fromText, toText;
    DateTime day;
    LocalTime from, to;
    for (Status status : {required(parsed, "date", dateText), required(parsed, "from", fromText),
                          required(parsed, "to", toText)}) {
        if (!status) return status;
    }
    if (Status status = readDay("date", dateText, day); !status) return status;
    if (Status status = checkInEditorRange("the date", day); !status) return status;
    if (Status status = readTime("from", fromText, from); !status) return status;
    if (Status status = readTime("to", toText, to); !status) return status;
    if (!AppointmentForm::isBeginTime(from.hour, from.minute))
        return usageFailure("--from " + fromText +
                            " is not a begin time: a quarter hour from 05:00 to 22:45");
    if (!AppointmentForm::isEndTime(to.hour, to.minute))
        return usageFailure("--to " + toText +
                            " is not an end time: a quarter hour from 05:15 to 23:00");

    AppointmentForm form = AppointmentForm::forNew(day, DateTime::now(context.clock));
    form.setDescription(description);
    if (!form.setTimes(from.hour, from.minute, to.hour, to.minute))
        return usageFailure("--to " + toText + " is not after --from " + fromText);
    if (const auto alarm = parsed.value("alarm")) {
        int minutes = -1;
        const auto [end, error] =
            std::from_chars(alarm->data(), alarm->data() + alarm->size(), minutes);
        if (error != std::errc() || end != alarm->data() + alarm->size() ||
            !form.setAlarmMinutes(minutes))
            return usageFailure("--alarm wants minutes from 0 to 60 in steps of 5, not \"" +
                                *alarm + "\"");
        form.setAlarm(true);
    }
    return addAndSave(context, parsed.positional()[0], "appointment", [&](PimDocument& document) {
        return addAppointment(document, nullptr, form);
    });
}

const std::array<CliCommand, 2> kCommands = {{
    {"add-task", "DOC DESCRIPTION [--due YYYY-MM-DD] [--priority high|medium|low|done]",
     "add a task to DOC, due on the given day (today when none is given), High unless "
     "--priority says otherwise",
     runAddTask},
    {"add-appointment",
     "DOC DESCRIPTION --date YYYY-MM-DD --from HH:MM --to HH:MM [--alarm MINUTES]",
     "add an appointment to DOC from one quarter hour to a later one between 05:00 and 23:00, "
     "with an alarm the given minutes (0 to 60, in fives) before it begins",
     runAddAppointment},
}};

}  // namespace

std::span<const CliCommand> editorCommands() {
    return kCommands;
}
