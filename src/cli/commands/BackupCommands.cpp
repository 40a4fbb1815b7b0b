#include <sys/stat.h>

#include <array>
#include <cerrno>
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

// The version `wanted` names: its number in the listing, or the time the listing shows for
// it, which a save in between does not shift. A Usage failure for none, or for a time that
// several versions share.
Status chooseVersion(const std::vector<BackupVersion>& versions, const std::string& wanted,
                     const std::string& path, const BackupVersion*& chosen) {
    const bool digits = !wanted.empty() && wanted.size() < 4 &&
                        wanted.find_first_not_of("0123456789") == std::string::npos;
    const int number = digits ? std::stoi(wanted) : 0;
    if (number >= 1 && static_cast<size_t>(number) <= versions.size()) {
        chosen = &versions[size_t(number) - 1];
        return {};
    }
    std::string sharing;
    for (const BackupVersion& version : versions) {
        if (digits || savedText(version) != wanted) continue;
        if (chosen != nullptr)
            sharing += (sharing.empty() ? "" : ", ") + std::to_string(chosen->number);
        chosen = &version;
    }
    if (!sharing.empty())
        return usageFailure(fillIn(_("versions %s and %s of %s were saved at %s; give the number"),
                                   {sharing, std::to_string(chosen->number), path, wanted}));
    if (chosen != nullptr) return {};
    return usageFailure(
        fillIn(P_("no version \"%s\" of %s; there are %s (see: quillmate-cli backups %s)",
                  "no version \"%s\" of %s; there are %s (see: quillmate-cli backups %s)",
                  versions.size()),
               {wanted, path, std::to_string(versions.size()), path}));
}

Status runRestore(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 2, {}, {}, parsed); !status) return status;
    const std::string& path = parsed.positional()[0];
    const std::string& wanted = parsed.positional()[1];
    // What a restore replaces stays as version 1, so that restoring 1 undoes it, also when
    // saves keep none: its own save must not drop it again.
    const RotatingBackups backups = userBackups(1);
    DocumentUpdate update(context, path, 1);
    // Locked from here, so that the list read below is the one the restore works on. A
    // document cut short, damaged or deleted is when a restore is needed most: only another
    // program at work on it stops one.
    const Status loaded = update.load();
    if (loaded.kind() == FailureKind::Busy) return loaded;
    struct stat st {};
    const bool gone = !loaded && lstat(path.c_str(), &st) != 0 && errno == ENOENT;
    const std::vector<BackupVersion> versions = backups.versions(path);
    const BackupVersion* chosen = nullptr;
    if (Status status = chooseVersion(versions, wanted, path, chosen); !status) return status;
    CliWorkspace version(context);
    if (Status read = version.read(chosen->file); !read) return read;
    if (!gone) {
        if (Status kept = backups.keepCurrent(path, true); !kept)
            return Status::failure(
                kept.kind(), path,
                fillIn(_("nothing restored: the current version cannot be kept (%s)"),
                       {kept.message()}));
    }
    update.workspace().restoreVersion(PimContents(version.document().contents()));
    // A file that could not be read is not the document's own to keep others' changes of.
    if (Status saved = loaded ? update.save() : update.replaceAt(path); !saved) return saved;
    const std::string number = std::to_string(chosen->number), saved = savedText(*chosen);
    context.out << path << ": ";
    if (gone)
        context.out << fillIn(_("version %s (saved %s) restored; there was no file in its place"),
                              {number, saved});
    else if (!loaded)
        context.out << fillIn(_("version %s (saved %s) restored; the file it replaced, which "
                                "could not be read, is now version 1"),
                              {number, saved});
    else
        context.out << fillIn(
            _("version %s (saved %s) restored; the version it replaced is now version 1"),
            {number, saved});
    context.out << '\n';
    return {};
}

const std::array<CliCommand, 2> kCommands = {{
    {"backups", "FILE",
     N_("list the earlier versions kept of FILE: NUMBER<TAB>SAVED<TAB>PERSONS<TAB>TASKS<TAB>"
        "APPOINTMENTS, newest (1) first"),
     runBackups},
    {"restore", "FILE NUMBER|SAVED",
     N_("put version NUMBER of FILE in its place, or the one the listing shows as SAVED, keeping "
        "what it replaces as version 1, even when FILE is damaged or gone"),
     runRestore},
}};

}  // namespace

std::span<const CliCommand> backupCommands() {
    return kCommands;
}
