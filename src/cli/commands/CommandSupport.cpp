#include "cli/commands/CommandSupport.h"

#include <algorithm>
#include <iostream>
#include <istream>
#include <iterator>
#include <ostream>

#include "platform/qt/IniSettingsStore.h"
#include "records/PimDocument.h"
#include "shell/ShellSettings.h"
#include "shell/UserFolders.h"

namespace {

// Skipped records listed one by one before the rest are only counted.
constexpr size_t kSkippedListed = 20;

}  // namespace

Status usageFailure(std::string reason) {
    return Status::failure(FailureKind::Usage, "", std::move(reason));
}

Status unknownGroup(const std::string& path, const std::string& name) {
    return Status::failure(FailureKind::Content, path, "no group named \"" + name + "\"");
}

void reportWarning(CliContext& context, const std::string& message) {
    context.err << "quillmate-cli: " << message << '\n';
}

Status parseArguments(const std::vector<std::string>& args, size_t count,
                      const std::vector<std::string>& valued, const std::vector<std::string>& flags,
                      CliArgs& parsed) {
    if (Status status = parsed.parse(args, valued, flags); !status) return status;
    if (parsed.positional().size() != count) return usageFailure("wrong number of arguments");
    return {};
}

RecordsLeftToExit::~RecordsLeftToExit() {
    if (document_ != nullptr) document_->leaveRecordsToExit();
}

Status reportImported(CliContext& context, const ImportTally& tally, bool dryRun) {
    const ImportReport report = reportImport(tally);
    const std::vector<std::string>& skipped = report.skippedLines;
    for (size_t i = 0; i < std::min(skipped.size(), kSkippedListed); ++i)
        reportWarning(context, skipped[i]);
    if (skipped.size() > kSkippedListed) {
        reportWarning(context, tally.file + ": " + std::to_string(skipped.size() - kSkippedListed) +
                                   " more records skipped");
    }
    if (dryRun)
        context.out << "dry run: " << report.text << " (nothing saved)\n";
    else
        context.out << report.text << '\n';
    return report.allSkipped;
}

Status readStandardInput(CliContext& context, std::string& bytes) {
    bytes.assign(std::istreambuf_iterator<char>(context.in), std::istreambuf_iterator<char>());
    if (context.in.bad())
        return Status::failure(FailureKind::Read, kStandardInputName,
                               "the input could not be read");
    return {};
}

Status writeStandardOutput(CliContext& context, const std::string& text) {
    context.out << text << std::flush;
    if (!context.out)
        return Status::failure(FailureKind::Write, kStandardOutputName, "the output was refused");
    return {};
}

Status readDateOption(const CliArgs& parsed, DateTime& day) {
    const auto text = parsed.value("date");
    if (!text) return {};
    const auto chosen = parseDayOption(*text);
    if (!chosen) return usageFailure("--date wants YYYY-MM-DD, not \"" + *text + "\"");
    day = *chosen;
    return {};
}

RotatingBackups userBackups() {
    return RotatingBackups(userDataFolder() + "/backups", [] {
        IniSettingsStore settings;
        return ShellSettings(settings).readBackupsKept();
    });
}

DocumentUpdate::DocumentUpdate(std::string path) : path_(std::move(path)) {
    storage_.keepBackups(userBackups());
}

Status DocumentUpdate::load(PimDocument& document) {
    if (Status locked = storage_.hold(path_); !locked) return locked;
    return storage_.load(document, path_);
}

Status DocumentUpdate::save(const PimDocument& document) {
    Status saved = storage_.save(document, path_, SaveMode::KeepOtherChanges);
    // Not worth failing a change that is saved, but worth saying.
    if (const std::string notice = storage_.takeNotice(); !notice.empty())
        std::cerr << "quillmate-cli: " << path_ << ": " << notice << '\n';
    return saved;
}
