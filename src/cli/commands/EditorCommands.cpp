#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/AppointmentOptions.h"
#include "cli/commands/CommandSupport.h"
#include "organizer/EditorCommits.h"
#include "organizer/TaskForm.h"
#include "platform/Translate.h"
#include "records/DocumentDoor.h"

// Scripts add tasks and appointments under the rules the editors hold users to, so that a
// record a script makes can be opened and confirmed in the editor unchanged.

namespace {

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
    if (Status loaded = update.load(); !loaded) return loaded;
    const int32_t id = add(update.workspace().door());
    if (id == 0) return Status::failure(FailureKind::Content, path, _(texts.noneLeft));
    if (Status saved = update.save(); !saved) return saved;
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
    if (Status status = checkDayExists(_("the due date"), form.dueDate); !status) return status;
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
                      [&](DocumentDoor& door) { return addTask(door, form); });
}

Status runAddAppointment(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 2, kAppointmentValued, kAppointmentFlags, parsed);
        !status)
        return status;
    Appointment appointment;
    if (Status status = appointmentFromOptions(parsed, DateTime::now(context.clock), appointment);
        !status)
        return status;
    return addAndSave(context, parsed.positional()[0], kAddedAppointment, [&](DocumentDoor& door) {
        return door.runStep(UndoStep::AddAppointment,
                            [&](PimDocument& document) { return document.add(appointment); });
    });
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
        "minutes (0 to 60, in fives) before it begins; --repeat makes it a series that repeats "
        "each day, week, month or year (or every N of them with --every), on the --on weekdays "
        "(weekly: MO,TH, by default the start's; monthly: one as 2TU, or -1FR for the last "
        "Friday) with --date among them, ending after --count occurrences or on the --until day"),
     runAddAppointment},
}};

}  // namespace

std::span<const CliCommand> editorCommands() {
    return kCommands;
}
