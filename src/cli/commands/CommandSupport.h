#pragma once

#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CliWorkspace.h"
#include "textio/ImportReport.h"
#include "workspace/DocFileStorage.h"

class PimDocument;

// What several commands do the same way.

// A failure of the command line itself.
[[nodiscard]] Status usageFailure(std::string reason);
// "DOC: no group named "NAME"", for an address-book group the document does not have.
[[nodiscard]] Status unknownGroup(const std::string& path, const std::string& name);
// "quillmate-cli: MESSAGE" on the error stream, for what does not stop a command.
void reportWarning(CliContext& context, const std::string& message);
// Parses the arguments of a command that takes exactly `count` positionals.
Status parseArguments(const std::vector<std::string>& args, size_t count,
                      const std::vector<std::string>& valued, const std::vector<std::string>& flags,
                      CliArgs& parsed);

// Tells what an import did: the records it skipped, the first few one by one, as warnings,
// then the report's text; a dry run says that nothing was saved. A failure when every
// record of the file was skipped.
Status reportImported(CliContext& context, const ImportTally& tally, bool dryRun = false);
// Reads all of standard input into `bytes`.
Status readStandardInput(CliContext& context, std::string& bytes);
// Writes `text` to standard output.
Status writeStandardOutput(CliContext& context, const std::string& text);

// The earlier versions of documents, where the window keeps them too; at least `fewest`
// whatever the user's setting.
[[nodiscard]] RotatingBackups userBackups(int fewest = 0);

// What messages call the file "-".
inline constexpr const char* kStandardInputName = N_("standard input");
inline constexpr const char* kStandardOutputName = N_("standard output");

// Sets `day` to the day the option `name` gives as `text`; a Usage failure for text that is
// not a date.
Status readDay(const std::string& name, const std::string& text, DateTime& day);
// A Usage failure for a record without a description, which the editors refuse.
Status checkDescription(const std::string& description);
// Sets `day` to the day --date (or the option `name`) names when it is given; a Usage
// failure for text that is not a date, or a day outside the editors' range.
Status readDateOption(const CliArgs& parsed, DateTime& day, const std::string& name = "date");
// A Usage failure, "WHAT 2036-01-01 is outside 1990-01-01 to 2035-12-31", for a day the
// editors do not offer: every report and list can show the days they do.
Status checkInEditorRange(const std::string& what, DateTime day);

// A Usage failure, "WHAT 2011-12-30 does not exist in Pacific/Apia", for a day the local time
// zone leaves out: a record put on it would land on the next day.
Status checkDayExists(const std::string& what, DateTime day);

// A Content failure when `output` is the file `document` (by another name or link too), so
// that writing a report or an export never replaces the document it was made from.
Status checkNotTheDocument(const std::string& output, const std::string& document);

// `value` fit for one field of a line of output: a backslash, tab, line break or other
// control character is written as \\, \t, \n, \r or \xHH, so that a record cannot
// add lines or fields of its own, or send escape sequences to a terminal.
[[nodiscard]] std::string lineField(std::string_view value);

// A document a command reads, changes and writes back in place, through the storage the
// window saves with. It is locked against the window's saves and other runs of this
// program while the command lasts, and written back only when no program changed it in
// between, so that no one's change is lost. Like the window's saves, a save keeps the file
// it replaces among the earlier versions, as many as the user's settings say. Changes go
// through the workspace's door.
class DocumentUpdate {
public:
    // A save tells `context` which document the command saved; its saves leave at least
    // `fewestKept` earlier versions whatever the user's setting.
    DocumentUpdate(CliContext& context, std::string path, int fewestKept = 0);

    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] Workspace& workspace() { return files_.workspace(); }
    [[nodiscard]] const PimDocument& document() const { return files_.document(); }
    // Locks the file and opens it in the workspace.
    Status load();
    // Opens the file without the lock, for a command that may not change it after all;
    // load() takes the lock and reads it again when it does.
    Status read() { return workspace().openFile(path_); }
    // Writes the document back; a Conflict failure, writing nothing, when another program
    // changed the file since it was loaded.
    Status save();
    // Writes the document over the file whatever it holds now, the lock taken for the write
    // unless held already, keeping what it replaces like any save.
    Status replace();
    // Writes the document to `path` as replace() does, and takes that file as its own.
    Status replaceAt(const std::string& path);

private:
    // Says what the save wants the user to know besides its outcome.
    Status told(Status saved);

    CliContext& context_;
    std::string path_;
    CliWorkspace files_;
};
