#include <gtest/gtest.h>

#include "docfile/ScratchDir.h"
#include "platform/FixedLocale.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"
#include "textio/TransferTestSupport.h"

namespace {

// The first line where two texts differ, for a message that points at it.
std::string firstDifference(const std::string& actual, const std::string& expected) {
    size_t line = 1, start = 0;
    for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual[i] != expected[i]) break;
        if (actual[i] == '\n') {
            ++line;
            start = i + 1;
        }
    }
    auto lineAt = [&](const std::string& text) {
        return text.substr(start, text.find('\n', start) - start);
    };
    return "line " + std::to_string(line) + ": got \"" + lineAt(actual) + "\", expected \"" +
           lineAt(expected) + "\"";
}

// Files as other programs write them, imported and then exported with every field; the
// export must match the file's ".expected.csv".
TEST(TextTransferFiles, ImportsWhatOtherProgramsWrite) {
    struct Case {
        const char* file;
        TransferKind kind;
        std::vector<std::string> columns;
        const char* separator;
        bool header;
        int added;
    };
    const Case cases[] = {
        {"webmail-contacts.csv",
         TransferKind::Persons,
         {"", "FirstName", "LastName", "Notes", "E-Mail", "HomePhone", "Company"},
         ",",
         true,
         3},
        {"spreadsheet-tasks.txt",
         TransferKind::Tasks,
         {"Task", "DueDate", "Priority"},
         "\t",
         true,
         3},
        {"organizer-appointments.csv",
         TransferKind::Appointments,
         {"Appointment", "Date", "StartTime", "EndTime", "Alarmed", "AlarmTime"},
         ";",
         false,
         2},
    };
    const FixedClock clock{testNow()};
    const FixedLocale locale;
    const std::string data = QUILLMATE_TEST_DATA "/textio/";
    for (const Case& c : cases) {
        PimDocument doc(clock);
        auto in = transferSpec(true, c.kind, c.columns, c.header, c.separator);
        in.fileName = data + c.file;
        const ImportResult result = importFile(c.kind, doc, in, locale);
        EXPECT_EQ(result.added, c.added) << c.file << result.error;
        const auto out = transferSpec(false, c.kind, exportFieldNames(c.kind));
        const std::string actual = exportText(c.kind, doc, out, locale);
        const std::string expected = fileBytes(data + c.file + ".expected.csv");
        EXPECT_TRUE(actual == expected) << c.file << ": " << firstDifference(actual, expected);
    }
}

}  // namespace
