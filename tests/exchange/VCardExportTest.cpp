#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "ExchangeTexts.h"
#include "exchange/IndependentReader.h"
#include "exchange/VCardExport.h"
#include "records/PimDocument.h"
#include "support/ScratchDir.h"

namespace {

Person named(const char* first, const char* last, std::vector<int32_t> groups) {
    Person p;
    p.setFName(first);
    p.setLName(last);
    p.PhGroups = std::move(groups);
    return p;
}

// Persons as the editor stores them (the universal group last), with texts that need
// escaping, a note long enough to fold, and fields that stand alone.
std::vector<Person> samplePersons() {
    Person ann = named("Ann", "O'Hara; Lee", {4, 2, 1});
    ann.setCompany("Smith, Jones & Co");
    ann.setPosition("Engineer");
    ann.setAddr1("1 Main St");
    ann.setAddr2("Apt 4, Back");
    ann.setCity("Z\xC3\xBCrich");
    ann.setState("ZH");
    ann.setZip("8001");
    ann.setHmPhone("+41 44 000 00 00");
    ann.setWkPhone("+41 44 000 00 01");
    ann.setWkExt("12");
    ann.setFax("+41 44 000 00 02");
    ann.setCelPhone("+41 79 000 00 03");
    ann.setPager("555");
    ann.setEMail("ann@example.org");
    ann.setWebPage("https://example.org/a,b?c=d;e");
    ann.setNotes(
        "Line one\r\nLine two with a back\\slash, and a tail that runs on: cr\xC3\xA8me "
        "br\xC3\xBBl\xC3\xA9"
        "e, cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
        "e.");
    Person acme;
    acme.setCompany("Acme");
    acme.PhGroups = {1};
    Person cher = named("Cher", "", {5, 1});
    cher.setWkExt("7");
    Person bo = named("", "Kim", {1});
    bo.setAddr2("c/o Bo");
    std::vector<Person> persons = {ann, acme, cher, bo};
    for (Person& p : persons)
        p.setRName(p.displayName());
    return persons;
}

class VCardExportTest : public ::testing::Test {
protected:
    // The three groups of a new document, then Friends and "Family, near".
    void SetUp() override {
        doc.seedDefaultGroups();
        doc.addMany(std::vector<PhGroup>{{0, "Friends"}, {0, "Family, near"}});
        doc.addMany(samplePersons());
    }
    PimDocument doc{kClock};
};

// What the fields hold is pinned by an independent reader below; here the bytes it cannot
// tell apart, and control characters a name may hold, which no card may.
TEST_F(VCardExportTest, FoldsLongLinesBetweenCharactersInBothVersions) {
    doc.add(named("Ro\x03y", "Ba\x1B[2J\x7Fy", {1}));
    const std::string text3 = vcardText(doc, VCardVersion::V3, std::nullopt);
    const std::string text4 = vcardText(doc, VCardVersion::V4, 2);
    EXPECT_NE(text4.find("\r\nTEL;TYPE=work,voice:+41 44 000 00 01 ext. 12\r\n"),
              std::string::npos);
    EXPECT_NE(text3.find("\r\nN:Ba[2Jy;Roy;;;\r\nFN:Roy Ba[2Jy\r\n"), std::string::npos);
    // No line is longer than 75 bytes, and none is cut inside a character.
    for (const std::string& text : {text3, text4}) {
        EXPECT_EQ(
            std::count_if(
                text.begin(), text.end(),
                [](char c) { return (c > 0 && c < 0x20 && c != '\r' && c != '\n') || c == 0x7F; }),
            0);
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
            EXPECT_LE(end - start, 75u);
            EXPECT_NE(static_cast<unsigned char>(text[start]) & 0xC0, 0x80);
        }
    }
}

TEST_F(VCardExportTest, AnIndependentReaderReadsWhatItWrites) {
    ScratchDir dir;
    const std::string file = dir.file("persons.vcf");
    // A group alone, by its exact name; the universal group is no category.
    EXPECT_EQ(groupNamed(doc, "friends"), std::nullopt);
    const ExportResult written =
        exportVCardFile(doc, file, VCardVersion::V3, groupNamed(doc, "Friends"));
    ASSERT_TRUE(written.status);
    EXPECT_EQ(written.records, 1);
    EXPECT_EQ(readIndependently("dump_vcards.py", file),
              fileBytes(QUILLMATE_TEST_DATA "/exchange/friends-v3.dump.txt"));
    ASSERT_TRUE(exportVCardFile(doc, file, VCardVersion::V4, 5).status);
    EXPECT_EQ(readIndependently("dump_vcards.py", file),
              "card 4.0\n"
              "n=[\"\", \"Cher\"]\n"
              "fn=\"Cher\"\n"
              "tel work,voice=\"ext. 7\"\n"
              "categories=[\"Family, near\"]\n");
    int32_t count = -1;
    EXPECT_EQ(vcardText(doc, VCardVersion::V3, 3, &count), "") << "a group of no one";
    EXPECT_EQ(count, 0);
    const ExportResult failed =
        exportVCardFile(doc, dir.file("none/all.vcf"), VCardVersion::V4, std::nullopt);
    EXPECT_EQ(std::pair(bool(failed.status), failed.records), std::pair(false, 0));
}

}  // namespace
