#pragma once

#include <string>
#include <vector>

#include "platform/Status.h"
#include "platform/Translate.h"
#include "textio/TextImport.h"

class UserPrompts;

// What any import did, delimited text, vCard or iCalendar, in the terms the user is told.
// Each format fills one from its own result; a format with more to say adds to `alsoAdded`
// or `note` rather than composing a message of its own.
struct ImportTally {
    std::string file;  // the file read, as the user named it
    // The records added, counted, always in the plural as the import messages have always
    // said it: "12 names", "1 tasks".
    std::vector<std::string> added;
    size_t recordsAdded = 0;             // of every kind together
    std::vector<std::string> alsoAdded;  // what was made along the way: "2 groups"
    // What the file held that nothing here has a place for: "3 values with no field of
    // their own".
    std::vector<std::string> leftOut;
    std::string note;  // said last: "4 of the appointments are ..."
    PluralText skippedCount =
        NP_("%d record", "%d records");  // what records of the file are called
    std::vector<SkippedRecord> skipped;  // records of the file that added nothing, and why
    bool sayNoneSkipped = false;         // "0 cards skipped" rather than nothing
    std::vector<SkippedRecord> notes;    // read, but not all of it as written: "Note: ..."
    Status status;                       // a failure when the file could not be read
};

// What the user is told of an import.
struct ImportReport {
    bool failed = false;  // the file could not be read: an error, and nothing was added
    std::string text;     // "12 names added to current database, 1 line skipped."
    // A failure when the file held records and every one was skipped: an import that added
    // nothing never passes for a success.
    Status allSkipped;
    // One line per skipped record, "FILE:LINE: skipped: why", for those who want to know.
    std::vector<std::string> skippedLines;
};

// The one wording of every import's outcome, for the window and the command line alike.
[[nodiscard]] ImportReport reportImport(const ImportTally& tally);

// Tells the user in a message: an error when the file could not be read, else the counts,
// with the skipped records' lines as its details. `caption` titles a report that worked.
void showImportReport(UserPrompts& prompts, const ImportTally& tally, const std::string& caption);

// The tally of a delimited text import of `kind` from `file`.
[[nodiscard]] ImportTally delimitedTally(TransferKind kind, const ImportResult& result,
                                         const std::string& file);
