#include "textio/ImportReport.h"
#include "platform/Translate.h"

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
                            countText(NP_("nothing imported: all %d record was skipped",
                                          "nothing imported: all %d records were skipped"),
                                      skipped));
    }
    report.text = fillIn(_("%s added to current database"), {joined(tally.added, _(" and "))});
    if (!tally.skipped.empty() || tally.sayNoneSkipped)
        report.text +=
            fillIn(_(", %s skipped"), {countText(tally.skippedCount, tally.skipped.size())});
    for (const std::string& also : tally.alsoAdded)
        report.text += fillIn(_(", %s added"), {also});
    for (const std::string& left : tally.leftOut)
        report.text += fillIn(_(", %s left out"), {left});
    if (!tally.note.empty()) report.text += "; " + tally.note;
    report.text += ".";
    constexpr size_t kNotesListed = 3;
    for (size_t i = 0; i < std::min(tally.notes.size(), kNotesListed); ++i) {
        const SkippedRecord& note = tally.notes[i];
        const std::string where =
            note.line > 0 ? fillIn(_("line %s: %s"), {std::to_string(note.line), note.reason})
                          : note.reason;
        report.text += fillIn(_(" Note: %s."), {where});
    }
    if (tally.notes.size() > kNotesListed) {
        report.text +=
            " " +
            countText(NP_("%d more note", "%d more notes"), tally.notes.size() - kNotesListed) +
            ".";
    }
    for (const SkippedRecord& record : tally.skipped) {
        report.skippedLines.push_back(Status::failure(FailureKind::Content, tally.file,
                                                      fillIn(_("skipped: %s"), {record.reason}),
                                                      static_cast<int32_t>(record.line))
                                          .message());
    }
    return report;
}

void showImportReport(UserPrompts& prompts, const ImportTally& tally, const std::string& caption) {
    const ImportReport report = reportImport(tally);
    if (report.failed) {
        prompts.showMessage(report.text, _("Import Error"), MessageIcon::Error);
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
            tally.added.push_back(countText(NP_("%d names", "%d names"), added));
            break;
        case TransferKind::Tasks:
            tally.added.push_back(countText(NP_("%d tasks", "%d tasks"), added));
            break;
        case TransferKind::Appointments:
            tally.added.push_back(countText(NP_("%d appointments", "%d appointments"), added));
            break;
    }
    tally.skippedCount = NP_("%d line", "%d lines");
    tally.recordsAdded = added;
    tally.skipped = result.skipped;
    tally.status = result.status;
    return tally;
}
