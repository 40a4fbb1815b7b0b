#include "textio/TransferWizardRules.h"

#include <gtest/gtest.h>

#include "textio/FormatGuess.h"

namespace {

TEST(TransferWizardRules, PageChecksRefuseWithTheirMessages) {
    EXPECT_TRUE(checkFileName(""));
    EXPECT_FALSE(checkFileName("a.csv"));

    EXPECT_TRUE(probeImportFile("").refusal);
    const auto missing = probeImportFile("/nonexistent/dir/x.csv");
    ASSERT_TRUE(missing.refusal);
    EXPECT_EQ(missing.refusal->caption + ": " + missing.refusal->text,
              "File Error: Unable to open file");

    TextTransferSpec spec = makeImportSpec(TransferKind::Tasks);
    for (const auto& [sep, enc] : {std::pair{-1, 0}, std::pair{0, -1}, std::pair{5, 0}})
        EXPECT_TRUE(applyFormat(sep, enc, true, spec)) << sep << "," << enc;
    ASSERT_FALSE(applyFormat(4, 2, false, spec));
    EXPECT_EQ(std::tuple(spec.separator, spec.encloser, spec.firstLineHasNames),
              std::tuple("\t", "", false));
}

TEST(TransferWizardRules, ProbeReadsTheFirstLineAndRefusesBinaryFiles) {
    // The first line is trimmed, and found in UTF-16 with or without a byte-order mark.
    const auto plain = probeImportBytes("  \"Task\",Due \r\nx,y\n");
    EXPECT_FALSE(plain.refusal);
    EXPECT_EQ(plain.firstLine, "\"Task\",Due");
    // "Task;Priorité" and a record, UTF-16 little-endian.
    const std::string utf16("T\0a\0s\0k\0;\0P\0r\0i\0o\0r\0i\0t\0\xE9\0\r\0\n\0A\0;\0\x31\0", 36);
    EXPECT_EQ(probeImportBytes(utf16).firstLine, "Task;Priorité");
    EXPECT_EQ(probeImportBytes("\xFF\xFE" + utf16).firstLine, "Task;Priorité");
    EXPECT_EQ(probeImportBytes("Stra\337e;Ort\n").firstLine, "Straße;Ort");  // from Windows-1252

    const auto zip = probeImportBytes(std::string("PK\3\4\24\0\6\0\x08\0\0\0!\0", 14));
    ASSERT_TRUE(zip.refusal);
    EXPECT_EQ(zip.refusal->caption, "File Error");
    EXPECT_TRUE(probeImportBytes("").firstLine.empty());
}

TEST(TransferWizardRules, RowsComeFromTheFirstLineWithItsSampleRecord) {
    TextTransferSpec spec = makeImportSpec(TransferKind::Persons);
    spec.firstLine = "\"First Name\",,Last;Name,";
    ASSERT_FALSE(applyFormat(0, 0, true, spec));
    const auto rows = splitFirstLine(spec);
    EXPECT_EQ(rows, (std::vector<std::string>{"First Name", "EMPTY FIELD", "Last;Name"}));
    EXPECT_EQ(spec.columnCount, 3);
    EXPECT_EQ(spec.firstLineTokens, rows);

    const std::string sample = spec.firstLine + "\n\n\"Ann\nMarie\",x\n";
    EXPECT_EQ(firstRecordValues(spec, sample), (std::vector<std::string>{"Ann\nMarie", "x", ""}));
    EXPECT_TRUE(firstRecordValues(spec, spec.firstLine).empty());
}

// One field, one column: giving a field to a row takes it from the first row that had it.
TEST(TransferWizardRules, AssigningAFieldTakesItFromItsFirstOtherRow) {
    std::vector<std::string> rows = {"LastName", "", "LastName", "City"};
    assignField(rows, 1, "LastName");
    EXPECT_EQ(rows, (std::vector<std::string>{"", "LastName", "LastName", "City"}));
    assignField(rows, 3, "");
    assignField(rows, 9, "City");  // beyond the rows: nothing
    EXPECT_EQ(rows, (std::vector<std::string>{"", "LastName", "LastName", ""}));
}

TEST(TransferWizardRules, ImportNeedsTheRequiredFieldsOfItsKind) {
    const std::tuple<TransferKind, std::vector<std::string>, bool> cases[] = {
        {TransferKind::Persons, {"City", ""}, false},
        {TransferKind::Persons, {"FirstName", "Company"}, true},
        {TransferKind::Persons, {"Company"}, true},
        {TransferKind::Tasks, {"DueDate", "Priority"}, false},
        {TransferKind::Tasks, {"", "Task"}, true},
        {TransferKind::Appointments, {"Appointment", "Date", "StartTime"}, false},
        {TransferKind::Appointments, {"EndTime", "Appointment", "Date", "StartTime"}, true},
    };
    for (const auto& [kind, rows, accepted] : cases) {
        TextTransferSpec spec = makeImportSpec(kind);
        const auto refusal = finishImportFields(kind, rows, spec);
        EXPECT_EQ(!refusal, accepted) << spec.entityName << " " << rows.size();
        if (refusal)
            EXPECT_EQ(refusal->text, requiredFieldsMessage(kind, {}));
        else
            EXPECT_EQ(spec.columnFields, rows);
    }
}

TEST(TransferWizardRules, ExportTakesTheTickedFieldsInListOrder) {
    TextTransferSpec spec = makeExportSpec(TransferKind::Appointments);
    const auto refusal = finishExportFields(std::vector<bool>(6, false), spec);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(spec.columnFields.size(), 6u) << "a refusal leaves the settings alone";
    ASSERT_FALSE(finishExportFields({false, true, false, false, false, true}, spec));
    EXPECT_EQ(spec.columnFields, (std::vector<std::string>{"Date", "AlarmTime"}));
}

TEST(TransferWizardRules, GuessesTheSeparatorAndEncloserOfTheFirstLine) {
    const std::tuple<const char*, size_t, size_t> cases[] = {
        // line, separator, encloser
        {"FirstName,LastName", 0, 0}, {"\"Vorname\";\"Nachname\";\"Firma, GmbH\"", 1, 0},
        {"'a'|'b'|'c,d'", 2, 1},      {"Task\tDue Date\tPriority", 4, 0},
        {"First Last", 3, 0},         {"\"Name, full\",x", 0, 0},
    };
    for (const auto& [line, separator, encloser] : cases) {
        const FormatGuess guess = guessFormat(line);
        EXPECT_EQ(std::pair(guess.separator, guess.encloser), std::pair(separator, encloser))
            << line;
    }
}

}  // namespace
