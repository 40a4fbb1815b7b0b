#include "textio/ImportReport.h"

#include <gtest/gtest.h>

namespace {

TEST(ImportReport, SaysWhatWasAddedAndSkippedOrWhyTheFileFailed) {
    const SkippedRecord twoSkipped[] = {{3, "no task"}, {9, "no task"}};
    struct Case {
        ImportTally tally;
        bool failed;
        std::string text;
        std::vector<std::string> skippedLines;
    };
    ImportTally unread;
    unread.file = "in.csv";
    unread.status = Status::failure(FailureKind::Read, "", "No such file or directory");
    ImportTally someSkipped = delimitedTally(TransferKind::Tasks, {}, "in.csv");
    someSkipped.added = {"1 tasks"};
    someSkipped.skipped.assign(std::begin(twoSkipped), std::end(twoSkipped));
    ImportTally more;
    more.added = {"2 appointments", "1 tasks"};
    more.alsoAdded = {"2 groups"};
    more.note = "the rest later";
    more.skipped = {twoSkipped[0]};
    const Case cases[] = {
        {unread, true, "in.csv: No such file or directory", {}},
        {delimitedTally(TransferKind::Persons, {}, "in.csv"),
         false,
         "0 names added to current database.",
         {}},
        {someSkipped,
         false,
         "1 tasks added to current database, 2 lines skipped.",
         {"in.csv:3: skipped: no task", "in.csv:9: skipped: no task"}},
        {more,
         false,
         "2 appointments and 1 tasks added to current database, 1 record skipped, 2 groups "
         "added; the rest later.",
         {"skipped: no task"}},
    };
    for (const Case& c : cases) {
        const ImportReport report = reportImport(c.tally);
        EXPECT_EQ(report.failed, c.failed) << c.text;
        EXPECT_EQ(report.text, c.text);
        EXPECT_EQ(report.skippedLines, c.skippedLines) << c.text;
    }
}

}  // namespace
