#include <array>
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

Status runBackups(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 1, {}, {}, parsed); !status) return status;
    const std::string& path = parsed.positional()[0];
    const RotatingBackups backups = userBackups();
    const std::vector<BackupVersion> versions = backups.versions(path);
    if (versions.empty())
        reportWarning(
            context,
            path + ": " + fillIn(_("no earlier versions kept in %s"), {backups.folderFor(path)}));
    for (const BackupVersion& version : versions)
        context.out << version.number << '\t' << describeVersion(version, context.clock) << '\n';
    if (!context.out)
        return Status::failure(FailureKind::Write, _(kStandardOutputName),
                               _("the output was refused"));
    return {};
}

Status runRestore(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 2, {}, {}, parsed); !status) return status;
    const std::string& path = parsed.positional()[0];
    const std::string& wanted = parsed.positional()[1];
    const RotatingBackups backups = userBackups();
    DocumentUpdate update(context, path);
    // Locked from here, so that the list read below is the one the restore works on.
    if (Status loaded = update.load(); !loaded) return loaded;
    const std::vector<BackupVersion> versions = backups.versions(path);
    const bool digits = !wanted.empty() && wanted.size() < 4 &&
                        wanted.find_first_not_of("0123456789") == std::string::npos;
    const int number = digits ? std::stoi(wanted) : 0;
    if (number < 1 || static_cast<size_t>(number) > versions.size()) {
        return usageFailure(
            fillIn(P_("no version \"%s\" of %s; there are %s (see: quillmate-cli backups %s)",
                      "no version \"%s\" of %s; there are %s (see: quillmate-cli backups %s)",
                      versions.size()),
                   {wanted, path, std::to_string(versions.size()), path}));
    }
    CliWorkspace version(context);
    if (Status loaded = version.read(versions[number - 1].file); !loaded) return loaded;
    // What is replaced becomes the newest version, so that restoring 1 undoes this, also
    // when saves keep none; without that copy the restore would lose it.
    if (Status kept = backups.keepCurrent(path, true); !kept)
        return Status::failure(
            kept.kind(), path,
            fillIn(_("nothing restored: the current version cannot be kept (%s)"),
                   {kept.message()}));
    update.workspace().restoreVersion(PimContents(version.document().contents()));
    if (Status saved = update.save(); !saved) return saved;
    context.out << path << ": "
                << fillIn(_("version %s restored; the version it replaced is now version 1"),
                          {std::to_string(number)})
                << '\n';
    return {};
}

const std::array<CliCommand, 2> kCommands = {{
    {"backups", "FILE",
     N_("list the earlier versions kept of FILE: NUMBER<TAB>SAVED<TAB>PERSONS<TAB>TASKS<TAB>"
        "APPOINTMENTS, newest (1) first"),
     runBackups},
    {"restore", "FILE NUMBER",
     N_("put version NUMBER of FILE in its place, keeping the version it replaces as version 1"),
     runRestore},
}};

}  // namespace

std::span<const CliCommand> backupCommands() {
    return kCommands;
}
