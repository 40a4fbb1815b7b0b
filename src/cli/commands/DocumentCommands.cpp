#include <array>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "records/PimDocument.h"

namespace {

// Parses the arguments of a command that takes exactly `count` files.
bool parseFiles(CliContext& context, const std::vector<std::string>& args, size_t count,
                const std::vector<std::string>& flags, CliArgs& parsed, int& exitCode) {
    const std::string error = parsed.parse(args, {}, flags);
    if (!error.empty()) {
        exitCode = reportUsage(context, error);
        return false;
    }
    if (parsed.positional().size() != count) {
        exitCode = reportUsage(context, "wrong number of arguments");
        return false;
    }
    return true;
}

int runNew(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    int exitCode = kExitOk;
    if (!parseFiles(context, args, 1, {"force"}, parsed, exitCode)) return exitCode;
    const std::string& path = parsed.positional()[0];
    std::error_code error;
    if (!parsed.has("force") && std::filesystem::symlink_status(path, error).type() !=
                                    std::filesystem::file_type::not_found) {
        reportError(context, "\"" + path + "\" already exists; use --force to replace it");
        return kExitFailure;
    }
    PimDocument document(context.clock);
    document.seedDefaultGroups();
    return saveForCommand(context, document, path) ? kExitOk : kExitFailure;
}

int runInfo(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    int exitCode = kExitOk;
    if (!parseFiles(context, args, 1, {}, parsed, exitCode)) return exitCode;
    PimDocument document(context.clock);
    if (!loadForCommand(context, document, parsed.positional()[0])) return kExitFailure;
    context.out << "groups: " << document.phGroups().size() << '\n'
                << "persons: " << document.persons().size() << '\n'
                << "tasks: " << document.tasks().size() << '\n'
                << "appointments: " << document.appointments().size() << '\n';
    return kExitOk;
}

int runResave(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    int exitCode = kExitOk;
    if (!parseFiles(context, args, 2, {}, parsed, exitCode)) return exitCode;
    PimDocument document(context.clock);
    if (!loadForCommand(context, document, parsed.positional()[0])) return kExitFailure;
    return saveForCommand(context, document, parsed.positional()[1]) ? kExitOk : kExitFailure;
}

int runCompact(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    int exitCode = kExitOk;
    if (!parseFiles(context, args, 1, {}, parsed, exitCode)) return exitCode;
    const std::string& path = parsed.positional()[0];
    PimDocument document(context.clock);
    if (!loadForCommand(context, document, path)) return kExitFailure;
    document.setPath(path);
    const CompactResult result =
        document.compact([&](const PimDocument& doc, const std::string& target) {
            return saveForCommand(context, doc, target);
        });
    if (!result.written) {
        reportError(context, "Unable to write file!");
        return kExitFailure;
    }
    context.out << "tasks removed: " << result.tasksRemoved << '\n';
    return kExitOk;
}

const std::array<CliCommand, 4> kCommands = {{
    {"new", "FILE [--force]",
     "write a new document with the groups All, White Pages and Yellow Pages", runNew},
    {"info", "FILE", "print how many groups, persons, tasks and appointments FILE holds", runInfo},
    {"resave", "IN OUT", "load IN and save it to OUT", runResave},
    {"compact", "FILE", "remove done tasks due before today and save FILE in place", runCompact},
}};

}  // namespace

std::span<const CliCommand> documentCommands() {
    return kCommands;
}
