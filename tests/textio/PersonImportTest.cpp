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
        const char *first, *last, *company, *position, *rName;
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
    const std::vector<std::string> columns = {"FirstName", "LastName",   "Company",
                                              "Position",  "WhitePages", "YellowPages"};
    for (const Case& c : cases) {
        PimDocument one(clock);
        const auto spec = transferSpec(true, TransferKind::Persons, columns, false);
        ASSERT_EQ(importText(TransferKind::Persons, one, spec, c.line, locale).added, 1) << c.line;
        const Person& p = *one.persons().find(1);
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

TEST_F(PersonImportTest, ReadsColumnsAsMappedAndReportsSkippedLines) {
    // Unmapped, missing and surplus columns; blank lines are not worth a report.
    const ImportResult result = import("x,Ann,y,Lee,z,extra\n,\n\n   \nEMPTY FIELD,EOF\nx,Bo\n",
                                       {"", "FirstName", "", "LastName"});
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(person(1).RName, "Lee, Ann");
    EXPECT_EQ(person(2).RName, "Bo");
    ASSERT_EQ(result.skipped.size(), 2u);
    EXPECT_EQ(result.skipped[0].line, 2u);
    EXPECT_EQ(result.skipped[1].line, 5u);
    EXPECT_STREQ(result.skipped[0].reason, "no first name, last name or company");
}

TEST_F(PersonImportTest, ReadsHeadersEncodingsLineBreaksAndUnendedLastLines) {
    EXPECT_EQ(import("LastName", {"LastName"}, true).added, 0);
    EXPECT_EQ(import("\xEF\xBB\xBFLastName,Notes\r\nAnn,\"two\r\nlines\"\r\nM\xFCller,x",
                     {"LastName", "Notes"}, true)
                  .added,
              2);
    EXPECT_EQ(person(1).LName, "Ann");
    EXPECT_EQ(person(1).Notes, "two\r\nlines");
    EXPECT_EQ(person(2).LName, "M\xC3\xBCller");
}

TEST_F(PersonImportTest, AddsAfterExistingRecordsAndTellsViewsOnce) {
    doc.add(personNamed("Old", "One"));
    doc.setModified(false);
    CountingView view;
    doc.attachView(view);
    EXPECT_EQ(import("A\nB\nC\n", {"LastName"}).added, 3);
    EXPECT_EQ(view.changes, 1);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(person(4).LName, "C");

    doc.setModified(false);
    EXPECT_EQ(import(",\n", {"LastName"}).added, 0);
    EXPECT_EQ(view.changes, 1);
    EXPECT_FALSE(doc.isModified());
    doc.detachView(view);
}

}  // namespace
