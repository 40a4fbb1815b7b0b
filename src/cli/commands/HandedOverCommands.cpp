// quillmate-cli's entries for the commands quillmate-cli-qt runs: the same names and texts,
// and a run that replaces this process by that program with the same arguments.
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/commands/QtCommandTexts.h"
#include "platform/Translate.h"

namespace {

// Beside this program's own folder, as installed (bin/ and libexec/quillmate/ under one
// prefix) and as built (bin/ and libexec/quillmate/ under the build folder) alike.
std::string qtCommandsProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path folder =
        error ? std::filesystem::path(QUILLMATE_BINDIR) : self.parent_path();
    return (folder / QUILLMATE_LIBEXEC_FROM_BINDIR / kQtCommandsProgram).lexically_normal();
}

Status handOver(CliContext& context, const std::vector<std::string>&) {
    const std::string program = qtCommandsProgram();
    if (!context.processEnds)
        return Status::failure(FailureKind::Content, program, _("runs only as its own process"));
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : context.commandLine)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    context.out.flush();
    context.err.flush();
    execv(program.c_str(), argv.data());
    const int error = errno;
    return Status::failure(FailureKind::Read, program,
                           fillIn(_("cannot run it: %s"), {std::strerror(error)}));
}

const std::array<CliCommand, 2> kCommands = {{
    {"report", kReportUsage, kReportSummary, handOver},
    {"sync", kSyncUsage, kSyncSummary, handOver},
}};

}  // namespace

std::span<const CliCommand> reportCommands() {
    return std::span(kCommands).first(1);
}

std::span<const CliCommand> syncCommands() {
    return std::span(kCommands).last(1);
}
