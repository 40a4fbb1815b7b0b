#include "textio/PersonImport.h"

#include <gtest/gtest.h>

#include "textio/TransferTestSupport.h"

namespace {

using PersonImportTest = ImportTest<TransferKind::Persons>;

TEST_F(PersonImportTest, AppliesThePersonRules) {
    struct Case {
        const char* line;
        const char *first, *last, *company, *position, *rName;
        int white, yellow;
    };
    const Case cases[] = {
        {"Ann ,Lee,,  Boss  ,,", "Ann", "Lee", "", "Boss  ", "Lee, Ann", 1, 0},
        {"\" Ann \",,\" Acme \",\" Boss \"", "Ann", "", "Acme", " Boss ", "Ann", 1, 0},
        {",,Acme", "", "", "Acme", "", "", 1, 0},
        {"Ann,,,,No,YES", "Ann", "", "", "", "Ann", 0, 1},
        {"Ann,,,,TRUE,1", "Ann", "", "", "", "Ann", 1, 1},
        {"EMPTY FIELD,Lee,EOF,EOF x", "", "Lee", "", "EOF x", "Lee", 1, 0},
    };
    const std::vector<std::string> columns = {"FirstName", "LastName",   "Company",
                                              "Position",  "WhitePages", "YellowPages"};
    for (const Case& c : cases) {
        PimDocument one(clock);
        ASSERT_EQ(importInto(one, TransferKind::Persons, columns, c.line).added, 1) << c.line;
        const Person& p = *one.persons().find(1);
        EXPECT_EQ(std::tie(p.FName, p.LName, p.Company, p.Position, p.RName),
                  std::tie(c.first, c.last, c.company, c.position, c.rName))
            << c.line;
        EXPECT_EQ(std::pair(p.WhitePages, p.YellowPages), std::pair(c.white, c.yellow)) << c.line;
        EXPECT_TRUE(p.PhGroups.empty()) << "a document without groups gets none";
    }
}

// The phone book lists persons by group: an imported person of no group would be invisible.
TEST_F(PersonImportTest, FilesPersonsUnderTheUniversalGroup) {
    doc.seedDefaultGroups();
    ASSERT_EQ(import("Ann\nBo\n", {"FirstName"}).added, 2);
    EXPECT_EQ(doc.persons().find(1)->PhGroups, std::vector<int32_t>{1});
    EXPECT_EQ(doc.persons().find(2)->PhGroups, std::vector<int32_t>{1});
}

TEST_F(PersonImportTest, ReadsColumnsAsMappedAndReportsSkippedLines) {
    EXPECT_EQ(import("LastName", {"LastName"}, true).added, 0);
    // Unmapped, missing and surplus columns; blank lines are not worth a report.
    const ImportResult result = import("x,Ann,y,Lee,z,extra\n,\n\n   \nEMPTY FIELD,EOF\nx,Bo\n",
                                       {"", "FirstName", "", "LastName"});
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(doc.persons().find(1)->RName, "Lee, Ann");
    EXPECT_EQ(doc.persons().find(2)->RName, "Bo");
    ASSERT_EQ(result.skipped.size(), 2u);
    EXPECT_EQ(result.skipped[0].line, 2u);
    EXPECT_EQ(result.skipped[1].line, 5u);
    EXPECT_STREQ(result.skipped[0].reason, "no first name, last name or company");
}

// How many records one change adds and how views hear of it is the document's rule; an
// import that adds nothing must not count as a change.
TEST_F(PersonImportTest, AnImportThatAddsNothingLeavesTheDocumentUnchanged) {
    EXPECT_EQ(import("A\n", {"LastName"}).added, 1);
    doc.setModified(false);
    EXPECT_EQ(import(",\n", {"LastName"}).added, 0);
    EXPECT_FALSE(doc.isModified());
}

}  // namespace
