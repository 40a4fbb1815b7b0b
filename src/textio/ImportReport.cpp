#include "textio/ImportReport.h"

#include <algorithm>

#include "platform/UserPrompts.h"

namespace {

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

}  // namespace

std::string countOf(size_t count, const char* singular, const char* plural) {
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

std::string addedCount(size_t count, const char* plural) {
    return std::to_string(count) + " " + plural;
}

ImportReport reportImport(const ImportTally& tally) {
    ImportReport report;
    if (!tally.status) {
        report.failed = true;
        report.text = tally.status.inFile(tally.file).message();
        return report;
    }
    if (tally.recordsAdded == 0 && !tally.skipped.empty()) {
        const size_t skipped = tally.skipped.size();
        report.allSkipped =
            Status::failure(FailureKind::Content, tally.file,
                            "nothing imported: all " + std::to_string(skipped) +
                                (skipped == 1 ? " record was" : " records were") + " skipped");
    }
    report.text = joined(tally.added, " and ") + " added to current database";
    if (!tally.skipped.empty() || tally.sayNoneSkipped)
        report.text += ", " + countOf(tally.skipped.size(), tally.skippedNoun, tally.skippedNouns) +
                       " skipped";
    for (const std::string& also : tally.alsoAdded)
        report.text += ", " + also + " added";
    for (const std::string& left : tally.leftOut)
        report.text += ", " + left + " left out";
    if (!tally.note.empty()) report.text += "; " + tally.note;
    report.text += ".";
    constexpr size_t kNotesListed = 3;
    for (size_t i = 0; i < std::min(tally.notes.size(), kNotesListed); ++i) {
        const SkippedRecord& note = tally.notes[i];
        report.text +=
            " Note: " + (note.line > 0 ? "line " + std::to_string(note.line) + ": " : "") +
            note.reason + ".";
    }
    if (tally.notes.size() > kNotesListed) {
        report.text +=
            " " + countOf(tally.notes.size() - kNotesListed, "more note", "more notes") + ".";
    }
    for (const SkippedRecord& record : tally.skipped) {
        report.skippedLines.push_back(Status::failure(FailureKind::Content, tally.file,
                                                      std::string("skipped: ") + record.reason,
                                                      static_cast<int32_t>(record.line))
                                          .message());
    }
    return report;
}

void showImportReport(UserPrompts& prompts, const ImportTally& tally, const std::string& caption) {
    const ImportReport report = reportImport(tally);
    if (report.failed) {
        prompts.showMessage(report.text, "Import Error", MessageIcon::Error);
        return;
    }
    std::string details;
    for (const std::string& line : report.skippedLines)
        details += line + '\n';
    prompts.showDetailedMessage(report.text, caption, MessageIcon::Information, details);
}

ImportTally delimitedTally(TransferKind kind, const ImportResult& result, const std::string& file) {
    ImportTally tally;
    tally.file = file;
    const auto added = static_cast<size_t>(result.added);
    switch (kind) {
        case TransferKind::Persons:
            tally.added.push_back(addedCount(added, "names"));
            break;
        case TransferKind::Tasks:
            tally.added.push_back(addedCount(added, "tasks"));
            break;
        case TransferKind::Appointments:
            tally.added.push_back(addedCount(added, "appointments"));
            break;
    }
    tally.skippedNoun = "line";
    tally.skippedNouns = "lines";
    tally.recordsAdded = added;
    tally.skipped = result.skipped;
    tally.status = result.status;
    return tally;
}
