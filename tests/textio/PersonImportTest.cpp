#include "textio/PersonImport.h"

#include <gtest/gtest.h>

#include "platform/FixedLocale.h"
#include "textio/TextImport.h"
#include "textio/TransferTestSupport.h"

namespace {

class CountingView : public DocumentView {
public:
    void documentChanged() override { ++changes; }
    int changes = 0;
};

class PersonImportTest : public ::testing::Test {
protected:
    ImportResult import(const std::string& text, std::vector<std::string> columns,
                        bool header = false) {
        return importText(TransferKind::Persons, doc,
                          transferSpec(true, TransferKind::Persons, std::move(columns), header),
                          text, locale);
    }
    const Person& person(int32_t id) { return *doc.persons().find(id); }

    FixedClock clock{testNow()};
    PimDocument doc{clock};
    FixedLocale locale;
};

TEST_F(PersonImportTest, AppliesThePersonRules) {
    struct Case {
        const char* line;
        const char* first;
        const char* last;
        const char* company;
        const char* position;
        const char* rName;
        int white, yellow;
    };
    const Case cases[] = {
        {"Ann ,Lee,,  Boss  ,,", "Ann", "Lee", "", "Boss  ", "Lee, Ann", 1, 0},
        {"\" Ann \",,\" Acme \",\" Boss \"", "Ann", "", "Acme", " Boss ", "Ann", 1, 0},
        {",,Acme", "", "", "Acme", "", "", 1, 0},
        {"Ann,,,,no,no", "Ann", "", "", "", "Ann", 1, 0},
        {"Ann,,,,No,YES", "Ann", "", "", "", "Ann", 0, 1},
        {"Ann,,,,TRUE,1", "Ann", "", "", "", "Ann", 1, 1},
        {"EMPTY FIELD,Lee,EOF,EOF x", "", "Lee", "", "EOF x", "Lee", 1, 0},
    };
    for (const Case& c : cases) {
        PimDocument one(clock);
        const ImportResult result = importText(
            TransferKind::Persons, one,
            transferSpec(
                true, TransferKind::Persons,
                {"FirstName", "LastName", "Company", "Position", "WhitePages", "YellowPages"},
                false),
            c.line, locale);
        ASSERT_EQ(result.added, 1) << c.line;
        const Person& p = one.persons().find(1)[0];
        EXPECT_EQ(p.FName, c.first) << c.line;
        EXPECT_EQ(p.LName, c.last) << c.line;
        EXPECT_EQ(p.Company, c.company) << c.line;
        EXPECT_EQ(p.Position, c.position) << c.line;
        EXPECT_EQ(p.RName, c.rName) << c.line;
        EXPECT_EQ(p.WhitePages, c.white) << c.line;
        EXPECT_EQ(p.YellowPages, c.yellow) << c.line;
        EXPECT_TRUE(p.PhGroups.empty());
    }
}

TEST_F(PersonImportTest, SkipsRecordsWithoutNameAndSaysWhere) {
    const ImportResult result =
        import("Ann,Lee\n,\n\n   \nEMPTY FIELD,EOF\nBo,\n", {"FirstName", "LastName"});
    EXPECT_EQ(result.added, 2);
    ASSERT_EQ(result.skipped.size(), 2u);
    EXPECT_EQ(result.skipped[0].line, 2u);
    EXPECT_EQ(result.skipped[1].line, 5u);
    EXPECT_STREQ(result.skipped[0].reason, "no first name, last name or company");
}

TEST_F(PersonImportTest, ReadsColumnsAsMappedAndIgnoresTheRest) {
    // Unmapped, missing and surplus columns.
    const ImportResult result =
        import("x,Ann,y,Lee,z,extra\nx,Bo\n", {"", "FirstName", "", "LastName"});
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(person(1).RName, "Lee, Ann");
    EXPECT_EQ(person(2).RName, "Bo");
}

TEST_F(PersonImportTest, HeaderLineIsNotImported) {
    EXPECT_EQ(import("\"LastName\"\n", {"LastName"}, true).added, 0);
    EXPECT_EQ(import("LastName", {"LastName"}, true).added, 0);
    EXPECT_EQ(import("LastName\nLee\nKim", {"LastName"}, true).added, 2);
    EXPECT_EQ(person(2).LName, "Kim");
}

TEST_F(PersonImportTest, ReadsWindowsFilesMultiLineNotesAndLastLineWithoutLineFeed) {
    const std::string text =
        "\xEF\xBB\xBF"
        "Ann,\"two\r\nlines\"\r\nM\xC3\xBCller,\r\n";
    EXPECT_EQ(import(text, {"LastName", "Notes"}).added, 2);
    EXPECT_EQ(person(1).LName, "Ann");
    EXPECT_EQ(person(1).Notes, "two\r\nlines");
    EXPECT_EQ(person(2).LName, "M\xC3\xBCller");

    PimDocument windows(clock);
    auto spec = transferSpec(true, TransferKind::Persons, {"LastName", "City"}, false, ";");
    EXPECT_EQ(importText(TransferKind::Persons, windows, spec, "M\xFCller;Caf\xE9", locale).added,
              1);
    EXPECT_EQ(windows.persons().find(1)->LName, "M\xC3\xBCller");
    EXPECT_EQ(windows.persons().find(1)->City, "Caf\xC3\xA9");
}

TEST_F(PersonImportTest, AddsAfterExistingRecordsAndTellsViewsOnce) {
    doc.add(personNamed("Old", "One"));
    doc.setModified(false);
    CountingView view;
    doc.attachView(view);
    EXPECT_EQ(import("A\nB\nC\n", {"LastName"}).added, 3);
    EXPECT_EQ(view.changes, 1);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(person(1).LName, "One");
    EXPECT_EQ(person(4).LName, "C");

    doc.setModified(false);
    EXPECT_EQ(import(",\n", {"LastName"}).added, 0);
    EXPECT_EQ(view.changes, 1);
    EXPECT_FALSE(doc.isModified());
    doc.detachView(view);
}

TEST_F(PersonImportTest, UnreadableFileIsAnErrorAndAddsNothing) {
    auto spec = transferSpec(true, TransferKind::Persons, {"LastName"});
    spec.fileName = "/nonexistent/people.csv";
    const ImportResult result = ImportPersons(doc, spec, locale);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error.find("/nonexistent/people.csv"), std::string::npos) << result.error;
    EXPECT_TRUE(doc.persons().empty());
}

}  // namespace
