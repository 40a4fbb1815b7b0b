#include "cli/commands/CommandSupport.h"

#include <algorithm>
#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>

#include "exchange/CalendarZones.h"
#include "fileio/UserFolders.h"
#include "organizer/EditorDates.h"
#include "platform/HexEscape.h"
#include "platform/qt/IniSettingsStore.h"
#include "records/PimDocument.h"
#include "workspace/DocumentSettings.h"

namespace {

// Skipped records listed one by one before the rest are only counted.
constexpr size_t kSkippedListed = 20;

std::string isoDate(DateTime date) {
    return date.format("%Y-%m-%d");
}

// C1 control characters (U+0080 to U+009F) are two bytes in UTF-8, C2 80 to C2 9F; some
// terminals take U+009B as the start of an escape sequence.
bool isC1Control(std::string_view text, size_t i) {
    return static_cast<unsigned char>(text[i]) == 0xC2 && i + 1 < text.size() &&
           static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
           static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

}  // namespace

Status usageFailure(std::string reason) {
    return Status::failure(FailureKind::Usage, "", std::move(reason));
}

Status unknownGroup(const std::string& path, const std::string& name) {
    return Status::failure(FailureKind::Content, path, fillIn(_("no group named \"%s\""), {name}));
}

void reportWarning(CliContext& context, const std::string& message) {
    context.err << "quillmate-cli: " << message << '\n';
}

Status parseArguments(const std::vector<std::string>& args, size_t count,
                      const std::vector<std::string>& valued, const std::vector<std::string>& flags,
                      CliArgs& parsed) {
    if (Status status = parsed.parse(args, valued, flags); !status) return status;
    if (parsed.positional().size() != count) return usageFailure(_("wrong number of arguments"));
    return {};
}

Status reportImported(CliContext& context, const ImportTally& tally, bool dryRun) {
    const ImportReport report = reportImport(tally);
    const std::vector<std::string>& skipped = report.skippedLines;
    for (size_t i = 0; i < std::min(skipped.size(), kSkippedListed); ++i)
        reportWarning(context, skipped[i]);
    if (skipped.size() > kSkippedListed) {
        const size_t more = skipped.size() - kSkippedListed;
        reportWarning(context,
                      tally.file + ": " +
                          fillIn(P_("%d more records skipped", "%d more records skipped", more),
                                 {std::to_string(more)}));
    }
    if (dryRun)
        context.out << fillIn(_("dry run: %s (nothing saved)"), {report.text}) << '\n';
    else
        context.out << report.text << '\n';
    return report.allSkipped;
}

Status readStandardInput(CliContext& context, std::string& bytes) {
    bytes.assign(std::istreambuf_iterator<char>(context.in), std::istreambuf_iterator<char>());
    if (context.in.bad())
        return Status::failure(FailureKind::Read, _(kStandardInputName),
                               _("the input could not be read"));
    return {};
}

Status writeStandardOutput(CliContext& context, const std::string& text) {
    context.out << text << std::flush;
    if (!context.out)
        return Status::failure(FailureKind::Write, _(kStandardOutputName),
                               _("the output was refused"));
    return {};
}

Status readDay(const std::string& name, const std::string& text, DateTime& day) {
    const auto chosen = parseDayOption(text);
    if (!chosen)
        return usageFailure(
            fillIn(_("%s wants a date as YYYY-MM-DD, not \"%s\""), {"--" + name, text}));
    day = *chosen;
    return {};
}

Status checkDescription(const std::string& description) {
    if (description.empty()) return usageFailure(_("the description is empty"));
    return {};
}

Status readDateOption(const CliArgs& parsed, DateTime& day, const std::string& name) {
    const auto text = parsed.value(name);
    if (!text) return {};
    const auto chosen = parseDayOption(*text);
    if (!chosen)
        return usageFailure(fillIn(_("%s wants YYYY-MM-DD, not \"%s\""), {"--" + name, *text}));
    if (Status inRange = checkInEditorRange("--" + name, *chosen); !inRange) return inRange;
    day = *chosen;
    return {};
}

Status checkInEditorRange(const std::string& what, DateTime day) {
    const EditorDates dates = EditorDates::standard();
    if (dates.contains(day)) return {};
    return usageFailure(fillIn(_("%s %s is outside %s to %s"),
                               {what, isoDate(day), isoDate(dates.first), isoDate(dates.last)}));
}

Status checkDayExists(const std::string& what, DateTime day) {
    // The clocks' first moment of the day, read back: a day they skip reads as the next.
    const int64_t first = day.date().toSeconds();
    if (first < 0 || DateTime::fromSeconds(first).date() == day.date()) return {};
    std::string zone = localZoneName();
    if (zone.empty()) zone = _("the local time zone");
    return usageFailure(fillIn(_("%s %s does not exist in %s: its clocks skip that day"),
                               {what, isoDate(day), zone}));
}

Status checkNotTheDocument(const std::string& output, const std::string& document) {
    std::error_code error;
    if (output == kStandardStream || !std::filesystem::equivalent(output, document, error))
        return {};
    return Status::failure(FailureKind::Content, output,
                           _("is the document itself; nothing was written"));
}

std::string lineField(std::string_view value) {
    std::string line;
    line.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        const bool c1 = isC1Control(value, i);
        if (c >= 0x20 && c != 0x7F && c != '\\' && !c1) {
            line += value[i];
        } else if (c == '\\') {
            line += "\\\\";
        } else if (c == '\t') {
            line += "\\t";
        } else if (c == '\n') {
            line += "\\n";
        } else if (c == '\r') {
            line += "\\r";
        } else {
            for (size_t n = 0; n < (c1 ? 2u : 1u); ++n) {
                const auto byte = static_cast<unsigned char>(value[i + n]);
                appendHexEscape(line, "\\x", byte);
            }
            i += c1 ? 1 : 0;
        }
    }
    return line;
}

RotatingBackups userBackups(int fewest) {
    return RotatingBackups(userDataFolder() + "/backups", [fewest] {
        IniSettingsStore settings;
        return std::max(fewest, DocumentSettings(settings).readBackupsKept());
    });
}

DocumentUpdate::DocumentUpdate(CliContext& context, std::string path, int fewestKept)
    : context_(context), path_(std::move(path)), files_(context) {
    files_.storage().keepBackups(userBackups(fewestKept));
}

Status DocumentUpdate::load() {
    if (Status locked = files_.storage().hold(path_); !locked) return locked;
    return workspace().openFile(path_);
}

Status DocumentUpdate::save() {
    return told(workspace().writeFile(SaveMode::KeepOtherChanges));
}

Status DocumentUpdate::replace() {
    return replaceAt(path_);
}

Status DocumentUpdate::replaceAt(const std::string& path) {
    path_ = path;
    return told(workspace().writeFileAs(path, SaveMode::Overwrite));
}

Status DocumentUpdate::told(Status saved) {
    if (saved) context_.savedDocument = path_;
    // Not worth failing a change that is saved, but worth saying.
    if (const std::string notice = workspace().takeSaveNotice(); !notice.empty())
        context_.err << "quillmate-cli: " << path_ << ": " << notice << '\n';
    return saved;
}
