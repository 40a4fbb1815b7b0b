#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ExchangeTexts.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "records/PimDocument.h"
#include "support/EveryAllocationFailure.h"
#include "support/RecordingJournal.h"
#include "support/ScratchDir.h"
#include "support/Skipped.h"

namespace {

class VCardImportTest : public ::testing::Test {
protected:
    void SetUp() override { doc.seedDefaultGroups(); }

    // The one person a card makes.
    Person importOne(const std::string& card) {
        PimDocument fresh(kClock);
        fresh.seedDefaultGroups();
        const VCardImportResult result = importVCardText(fresh, card);
        EXPECT_EQ(result.added, 1) << card;
        return fresh.persons().empty() ? Person{} : fresh.persons().begin()->second;
    }

    std::vector<std::string> groupNames(const Person& person) const {
        std::vector<std::string> names;
        for (const int32_t id : person.PhGroups)
            names.push_back(doc.phGroups().find(id) ? doc.phGroups().find(id)->Desc : "?");
        return names;
    }

    PimDocument doc{kClock};
};

// Cards as phones, address books and mail services write them, imported and written back
// as vCard 3.0; the result must match the file's ".expected.vcf".
TEST_F(VCardImportTest, ImportsWhatOtherProgramsWrite) {
    struct Case {
        const char* file;
        int added;
        std::vector<size_t> skippedLines;
        int groupsAdded;
    };
    const Case cases[] = {
        {"old-phone.vcf", 2, {18}, 0},
        {"address-book.vcf", 2, {}, 2},
        {"webmail-contacts.vcf", 2, {}, 3},
        {"server-contacts.vcf", 1, {}, 1},
    };
    const std::string data = QUILLMATE_TEST_DATA "/exchange/";
    for (const Case& c : cases) {
        PimDocument fresh(kClock);
        fresh.seedDefaultGroups();
        const VCardImportResult result = importVCardFile(fresh, data + c.file);
        EXPECT_TRUE(result.status) << result.status.message();
        EXPECT_EQ(std::tuple(result.added, linesOf(result.skipped), result.groupsAdded),
                  std::tuple(c.added, c.skippedLines, c.groupsAdded))
            << c.file;
        EXPECT_EQ(vcardText(fresh, VCardVersion::V3, std::nullopt),
                  fileBytes(data + c.file + ".expected.vcf"))
            << c.file;
    }
}

TEST_F(VCardImportTest, MapsEachPropertyToItsField) {
    struct Case {
        std::string lines;
        PersonText field;
        std::string expected;
    };
    const Case cases[] = {
        // Names: N first, then FN, whose last word is taken for the family name.
        {"N:Lee;Ann;Marie;Dr.;Jr.\r\n", PersonText::RName, "Lee, Ann Marie"},
        {"FN:Ann van Lee\r\n", PersonText::RName, "Lee, Ann van"},
        {"N:;;;;\r\nFN:Cher\r\n", PersonText::RName, "Cher"},
        // A company's card names no one.
        {"FN:Acme\r\nORG:Acme;\r\n", PersonText::RName, ""},
        {"FN:Acme\r\nORG:Acme;Sales;East\r\n", PersonText::Company, "Acme, Sales, East"},
        // Telephones by type; a later number of a kind counts only when it is preferred.
        {"N:A\r\nTEL;TYPE=HOME:1\r\nTEL;TYPE=HOME,PREF:2\r\n", PersonText::HmPhone, "2"},
        {"N:A\r\nTEL;TYPE=WORK;TYPE=FAX:1\r\n", PersonText::Fax, "1"},
        {"N:A\r\nTEL;TYPE=work:1 ext. 5\r\n", PersonText::WkExt, "5"},
        {"N:A\r\nTEL;TYPE=work:1 x5\f\r\n", PersonText::WkExt, "5"},
        {"N:A\r\nTEL:1\r\nTEL:2\r\nTEL:3\r\nTEL:4\r\n", PersonText::CelPhone, "3"},
        {"N:A\r\nTEL;TYPE=CELL:1\r\nTEL:2\r\n", PersonText::HmPhone, "2"},
        {"N:A\r\nx.TEL:1\r\nx.X-ABLabel:Work Fax\r\n", PersonText::Fax, "1"},
        {"N:A\r\nTEL;VALUE=uri;TYPE=work:tel:+1-555-0100;ext=22;phone-context=x\r\n",
         PersonText::WkPhone, "+1-555-0100"},
        // Addresses: preferred or first; the street's lines, else the extended address.
        {"N:A\r\nADR:;;1 High St;X;;;\r\nADR;TYPE=pref:;;2 Low St;Y;;;\r\n", PersonText::Addr1,
         "2 Low St"},
        {"N:A\r\nADR:;Flat 4;1 High St;X;;;\r\n", PersonText::Addr2, "Flat 4"},
        {"N:A\r\nADR:PO Box 7;;;X;;;\r\n", PersonText::Addr2, "PO Box 7"},
        {"N:A\r\nADR:;;1 High St\\nBack door\\nLeft;X;;;\r\n", PersonText::Addr2,
         "Back door, Left"},
        {"N:A\r\nADR:;;a\\,b;X\r\n", PersonText::Addr1, "a,b"},
        {"N:A\r\nADR:;;1 High St,Back door\\nLeft,;X;;;\r\n", PersonText::Addr2, "Back door, Left"},
        // E-mail and web page: preferred or first.
        {"N:A\r\nEMAIL:a@x\r\nEMAIL;PREF=1:b@x\r\n", PersonText::EMail, "b@x"},
        {"N:A\r\nURL:http\\://x.example/a\\,b\r\n", PersonText::WebPage, "http://x.example/a,b"},
        // Notes keep their line breaks as CR LF; several notes are joined.
        {"N:A\r\nNOTE:one\\ntwo\r\nNOTE:three\r\n", PersonText::Notes, "one\r\ntwo\r\nthree"},
        // Version 2.1: quoted-printable in a character set, backslashes as text.
        {"N;ENCODING=QUOTED-PRINTABLE;CHARSET=ISO-8859-1:=C5sa\r\n", PersonText::LName,
         "\xC3\x85sa"},
        {"N:A\r\nNOTE;QUOTED-PRINTABLE;CHARSET=UTF-8:caf=C3=A9 =\r\nau lait\r\n", PersonText::Notes,
         "caf\xC3\xA9 au lait"},
        // Binary and unknown properties are passed over.
        {"N:A\r\nPHOTO;ENCODING=b:QUJD\r\nNOTE;ENCODING=BASE64:QUJD\r\nX-FOO:bar\r\n",
         PersonText::Notes, ""},
    };
    for (const Case& c : cases) {
        const bool v21 = c.lines.find("QUOTED-PRINTABLE") != std::string::npos;
        EXPECT_EQ(importOne(card(c.lines, v21 ? "2.1" : "3.0")).text(c.field), c.expected)
            << c.lines;
    }
}

TEST_F(VCardImportTest, ReadsUtf16FilesAndSkipsWhatNamesNoOne) {
    std::string utf16 = "\xFF\xFE";
    for (const char c : card("N:L\xFC;Ann\r\n"))
        utf16 += std::string{c == '\xFC' ? '\xFC' : c, '\0'};
    EXPECT_EQ(importOne(utf16).LName(), "L\xC3\xBC");

    const std::string text = "junk before\r\n" + card("N:;;;;\r\nFN: \r\nTEL:1\r\n") +
                             card("ORG:Acme\r\n") + "BEGIN:VCARD\r\nN:Cut;Off\r\n";
    const VCardImportResult result = importVCardText(doc, text);
    EXPECT_TRUE(result.status);
    EXPECT_EQ(
        reasonsOf(result.skipped),
        (std::vector<std::string>{"2: no name or company", "12: the card has no END:VCARD line"}));
    EXPECT_EQ(reportImport(vcardTally(result, "in.vcf")).text,
              "1 names added to current database, 2 cards skipped.");
}

// Cards that lost text before: 8-bit values without a character set, and values the person
// has no field for, which are counted.
TEST_F(VCardImportTest, DecodesEachValueWholeAndCountsValuesLeftOut) {
    struct Case {
        const char* shape;
        std::string card;
        std::string expected;  // "last|first|company|values left out"
    };
    const Case cases[] = {
        {"Windows-1251 whose bytes pair up as a UTF-8 character",
         card("N:\xC2\xB3\xEA\xF2\xEE\xF0;\xD1\xE5\xF0\xE3\xE5\xE9\r\n", "2.1"),
         "\xC3\x82\xC2\xB3\xC3\xAA\xC3\xB2\xC3\xAE\xC3\xB0|\xC3\x91\xC3\xA5\xC3\xB0\xC3\xA3\xC3"
         "\xA5\xC3\xA9||0"},
        {"UTF-8 beside a Windows-1252 value", card("N:M\xC3\xBCller;Ann\r\nORG:J\xFCrgen GmbH\r\n"),
         "M\xC3\xBC"
         "ller|Ann|J\xC3\xBCrgen GmbH|0"},
        {"a second e-mail address, a second address and a sixth phone",
         card("N:Lee;Ann\r\nEMAIL:a@x.org\r\nEMAIL:b@x.org\r\nADR:;;1 Elm St;Oslo;;;\r\n"
              "ADR:;;2 Oak Rd;Oslo;;;\r\nTEL;TYPE=HOME:1\r\nTEL;TYPE=WORK:2\r\nTEL;TYPE=CELL:3\r\n"
              "TEL;TYPE=FAX:4\r\nTEL;TYPE=PAGER:5\r\nTEL:6\r\nURL:http://a.example\r\n"),
         "Lee|Ann||3"},
        {"control characters, which our export drops",
         card("N:L\x0B"
              "ee;A\x01nn\r\nORG:Acme\x7F Inc\r\n"),
         "Lee|Ann|Acme Inc|0"},
        {"a control character written in quoted-printable",
         card("N:Lee;Ann\r\nORG;ENCODING=QUOTED-PRINTABLE:Acme=0B Inc\r\n"), "Lee|Ann|Acme Inc|0"},
        {"a preferred value takes the place of the first, which is left out",
         card("N:Lee;Ann\r\nEMAIL:a@x.org\r\nEMAIL;TYPE=PREF:b@x.org\r\nTEL;TYPE=CELL:1\r\n"
              "TEL;TYPE=CELL:2\r\n"),
         "Lee|Ann||2"},
    };
    for (const Case& c : cases) {
        PimDocument fresh(kClock);
        const VCardImportResult result = importVCardText(fresh, c.card);
        ASSERT_EQ(result.added, 1) << c.shape;
        const Person& p = fresh.persons().begin()->second;
        EXPECT_EQ(std::string(p.LName()) + "|" + std::string(p.FName()) + "|" +
                      std::string(p.Company()) + "|" + std::to_string(result.valuesLeftOut),
                  c.expected)
            << c.shape;
    }
    VCardImportResult counted;
    counted.added = 2;
    counted.valuesLeftOut = 3;
    EXPECT_EQ(reportImport(vcardTally(counted, "")).text,
              "2 names added to current database, 0 cards skipped, 3 values with no field of "
              "their own left out.");
}

TEST_F(VCardImportTest, FilesPersonsInGroupsByTheirExactNamesAsOneChange) {
    RecordingJournal journal;
    doc.setJournal(&journal);
    const PimContents before = doc.contents();

    const VCardImportResult result = importVCardText(
        doc, card("N:Lee;Ann\r\nCATEGORIES:Family,White Pages,family\r\n") +
                 card("N:Kim;Bo\r\nCATEGORIES:Family\r\nCATEGORIES:All, ,Family\r\n") +
                 card("N:Fox;Cy\r\n"));
    EXPECT_EQ(reportImport(vcardTally(result, "in.vcf")).text,
              "3 names added to current database, 0 cards skipped, 2 groups added.");
    const auto& persons = doc.persons();
    EXPECT_EQ(groupNames(*persons.find(1)),
              (std::vector<std::string>{"Family", "White Pages", "family", "All"}));
    EXPECT_EQ(groupNames(*persons.find(2)), (std::vector<std::string>{"Family", "All"}));
    EXPECT_EQ(groupNames(*persons.find(3)), (std::vector<std::string>{"All"}));
    EXPECT_EQ(persons.find(1)->WhitePages, 1) << "completed as the delimited import does";

    EXPECT_EQ(journal.count, 1) << "groups and persons are one change";
    doc.apply(std::move(*journal.last));
    EXPECT_EQ(doc.contents(), before);

    // Without a universal group, persons are only in their categories' groups.
    PimDocument bare(kClock);
    ASSERT_EQ(importVCardText(bare, card("N:Lee;Ann\r\nCATEGORIES:X\r\n")).added, 1);
    EXPECT_EQ(bare.persons().find(1)->PhGroups, (std::vector<int32_t>{1}));
    EXPECT_EQ(bare.phGroups().find(1)->Desc, "X");
}

TEST_F(VCardImportTest, TextWithoutCardsChangesNothing) {
    doc.setModified(false);
    const Status csv = importVCardText(doc, "FirstName,LastName\nAnn,Lee\n").status;
    EXPECT_EQ(csv.kind(), FailureKind::Content);
    EXPECT_EQ(csv.message(), "no vCard in the file (no BEGIN:VCARD line)");
    EXPECT_TRUE(importVCardText(doc, "\r\n \r\n").status);
    EXPECT_FALSE(doc.isModified());
    EXPECT_NE(
        importVCardFile(doc, "/nonexistent/x.vcf").status.message().find("/nonexistent/x.vcf"),
        std::string::npos);
}

TEST_F(VCardImportTest, RunningOutOfMemoryAnywhereAddsNothingAndSaysSo) {
    const std::string bytes = fileBytes(QUILLMATE_TEST_DATA "/exchange/address-book.vcf");
    expectEveryAllocationFailureReported(
        [&] { return importVCardText(doc, bytes).status; }, "not enough memory to import it",
        [&] { return doc.persons().empty() && doc.phGroups().size() == 3; });
    EXPECT_EQ(doc.persons().size(), 2u);
}

}  // namespace
