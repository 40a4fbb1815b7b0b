#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "docfile/DocumentFile.h"
#include "organizer/FoundRow.h"
#include "organizer/RecordSearch.h"
#include "platform/Translate.h"
#include "records/PimDocument.h"

// Records found by any of their texts, as the window's Find lists them, for scripts.

namespace {

struct KindName {
    FoundKind kind;
    const char* option;  // what --kind takes
    const char* listed;  // what a line starts with
};
constexpr std::array<KindName, kFoundKindCount> kKinds = {{
    {FoundKind::Person, "persons", "person"},
    {FoundKind::Appointment, "appointments", "appointment"},
    {FoundKind::Task, "tasks", "task"},
}};

Status readKinds(const CliArgs& parsed, FoundKinds& kinds) {
    const auto option = parsed.value("kind");
    if (!option) return {};
    for (const KindName& name : kKinds) {
        if (*option == name.option) {
            kinds = FoundKinds().set(static_cast<size_t>(name.kind));
            return {};
        }
    }
    return usageFailure(
        fillIn(_("%s wants persons, appointments or tasks, not \"%s\""), {"--kind", *option}));
}

Status runFind(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 2, {"kind"}, {}, parsed); !status) return status;
    FoundKinds kinds = kEveryKind;
    if (Status status = readKinds(parsed, kinds); !status) return status;
    CliWorkspace files(context);
    if (Status loaded = files.read(parsed.positional()[0]); !loaded) return loaded;
    const PimDocument& document = files.document();

    RecordSearch search(document);
    search.start(parsed.positional()[1], kinds);
    search.finish();
    for (const FoundRecord& found : search.results()) {
        const FoundRow row = foundRow(document, found, search.filter());
        context.out << kKinds[static_cast<size_t>(found.kind)].listed << '\t' << found.id << '\t'
                    << row.when.format("%Y-%m-%d") << '\t' << lineField(foundText(row)) << '\n';
    }
    return {};
}

const std::array<CliCommand, 1> kCommands = {{
    {"find", "DOC TEXT [--kind persons|appointments|tasks]",
     N_("list the persons, appointments and tasks of DOC that hold TEXT in any of their texts, "
        "without regard to case or accents (digits alone also find a phone number written with "
        "spaces or dashes), as Edit > Find does: kind, ID, date (an appointment's day, a "
        "series' next occurrence, a task's due date) and what matched, tab-separated"),
     runFind},
}};

}  // namespace

std::span<const CliCommand> findCommands() {
    return kCommands;
}
