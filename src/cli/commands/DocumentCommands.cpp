#include <array>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "docfile/DocumentFile.h"
#include "platform/Translate.h"
#include "records/PimDocument.h"

namespace {

// Whether both paths name one existing file.
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

Status runNew(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 1, {}, {"force"}, parsed); !status) return status;
    const std::string& path = parsed.positional()[0];
    std::error_code error;
    if (!parsed.has("force") && std::filesystem::symlink_status(path, error).type() !=
                                    std::filesystem::file_type::not_found) {
        return Status::failure(FailureKind::Content, path,
                               _("already exists; use --force to replace it"));
    }
    // A document there already is replaced as a save replaces it, under its lock and kept
    // among the earlier versions.
    DocumentUpdate update(context, path);
    update.workspace().newDocument();
    return update.replace();
}

Status runInfo(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 1, {}, {}, parsed); !status) return status;
    CliWorkspace files(context);
    if (Status loaded = files.read(parsed.positional()[0]); !loaded) return loaded;
    const PimDocument& document = files.document();
    context.out << _("groups: ") << document.phGroups().size() << '\n'
                << _("persons: ") << document.persons().size() << '\n'
                << _("tasks: ") << document.tasks().size() << '\n'
                << _("appointments: ") << document.appointments().size() << '\n';
    return {};
}

Status runResave(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 2, {}, {}, parsed); !status) return status;
    const std::string& out = parsed.positional()[1];
    DocumentUpdate in(context, parsed.positional()[0]);
    if (Status loaded = in.load(); !loaded) return loaded;
    // Written back in place, it is checked like every other change of the file.
    if (sameFile(in.path(), out)) return in.save();
    return in.replaceAt(out);
}

Status runCompact(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 1, {}, {}, parsed); !status) return status;
    DocumentUpdate update(context, parsed.positional()[0]);
    if (Status loaded = update.load(); !loaded) return loaded;
    const CompactResult result =
        update.workspace().runStep(UndoStep::Compact, [&](PimDocument& document) {
            return document.compact(
                [&](const PimDocument&, const std::string&) { return update.save(); });
        });
    if (!result.written) return result.written;
    context.out << _("tasks removed: ") << result.tasksRemoved << '\n';
    return {};
}

const std::array<CliCommand, 4> kCommands = {{
    {"new", "FILE [--force]",
     // TRANSLATORS: "All", "White Pages" and "Yellow Pages" name groups in the document,
     // which keep these English names in every language.
     N_("write a new document with the groups All, White Pages and Yellow Pages"), runNew},
    {"info", "FILE", N_("print how many groups, persons, tasks and appointments FILE holds"),
     runInfo},
    {"resave", "IN OUT", N_("load IN and save it to OUT"), runResave},
    {"compact", "FILE", N_("remove done tasks due before today and save FILE in place"),
     runCompact},
}};

}  // namespace

std::span<const CliCommand> documentCommands() {
    return kCommands;
}
