#include <gtest/gtest.h>

#include "support/AllocationFailure.h"
#include "support/ScratchDir.h"
#include "textio/TextExport.h"
#include "textio/TransferTestSupport.h"

namespace {

// Files as other programs write them, imported and then exported with every field; the
// export must match the file's ".expected.csv".
TEST(TextTransferFiles, ImportsWhatOtherProgramsWrite) {
    struct Case {
        const char* file;
        TransferKind kind;
        const char* separator;
        bool header;
        int added;
        std::vector<std::string> columns;
    };
    const Case cases[] = {
        {"webmail-contacts.csv",
         TransferKind::Persons,
         ",",
         true,
         3,
         {"", "FirstName", "LastName", "Notes", "E-Mail", "HomePhone", "Company"}},
        {"spreadsheet-tasks.txt",
         TransferKind::Tasks,
         "\t",
         true,
         3,
         {"Task", "DueDate", "Priority"}},
        {"organizer-appointments.csv",
         TransferKind::Appointments,
         ";",
         false,
         2,
         {"Appointment", "Date", "StartTime", "EndTime", "Alarmed", "AlarmTime"}},
    };
    const FixedClock clock{testNow()};
    const FixedLocale locale;
    const std::string data = QUILLMATE_TEST_DATA "/textio/";
    for (const Case& c : cases) {
        PimDocument doc(clock);
        auto in = transferSpec(true, c.kind, c.columns, c.header, c.separator);
        in.fileName = data + c.file;
        const ImportResult result = importFile(c.kind, doc, in, locale);
        EXPECT_EQ(result.added, c.added) << c.file << result.status.message();
        const auto out = transferSpec(false, c.kind, exportFieldNames(c.kind));
        EXPECT_EQ(exportText(c.kind, doc, out, locale), fileBytes(data + c.file + ".expected.csv"))
            << c.file;
    }
}

TEST(TextTransferFiles, RunningOutOfMemoryAnywhereInAnImportAddsNothingAndSaysSo) {
    const FixedClock clock{testNow()};
    const FixedLocale locale;
    const std::string bytes = fileBytes(QUILLMATE_TEST_DATA "/textio/webmail-contacts.csv");
    const auto spec =
        transferSpec(true, TransferKind::Persons,
                     {"", "FirstName", "LastName", "Notes", "E-Mail", "HomePhone", "Company"});
    PimDocument doc(clock);
    size_t failures = 0;
    for (size_t allowed = 0;; ++allowed) {
        ImportResult result;
        bool struck = false;
        {
            const AllocationFailure failing(allowed);
            result = importText(TransferKind::Persons, doc, spec, bytes, locale);
            struck = failing.struck();
        }
        if (!struck) {
            EXPECT_EQ(result.added, 3);
            break;
        }
        ++failures;
        ASSERT_EQ(result.status.message(), "not enough memory to import it")
            << "allocation " << allowed;
        ASSERT_EQ(result.added, 0);
        ASSERT_TRUE(doc.persons().empty());
        ASSERT_FALSE(doc.isModified());
    }
    EXPECT_GT(failures, 10u) << "every allocation of the import was tried";
}

}  // namespace
