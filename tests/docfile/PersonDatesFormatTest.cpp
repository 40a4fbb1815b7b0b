#include <gtest/gtest.h>

#include "docfile/DocumentFile.h"
#include "docfile/DocumentWriter.h"
#include "fileio/AtomicFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/TzGuard.h"

namespace {

class PersonDatesFormatTest : public testing::Test {
protected:
    RecordStore<Person> load(const std::string& text) {
        PimDocument loaded(clock_);
        EXPECT_TRUE(loadDocumentBytes(loaded, text));
        return loaded.persons();
    }

    TzGuard tz_{"UTC"};
    FixedClock clock_{LocalTime{2027, 2, 1, 10, 0, 0, 0}};
};

TEST_F(PersonDatesFormatTest, DaysFollowTheVersion16AttributesOnlyWhenSet) {
    Person ada;
    ada.setFName("Ada");
    ada.PhGroups = {1};
    ada.Birthday = MonthDay::parse("1815-12-10").value();
    ada.Anniversary = MonthDay::parse("--07-08").value();
    ada.BirthdayReminded = 2026;
    Person plain;
    plain.setFName("Bob");
    plain.PhGroups = {1};
    PimDocument document(clock_);
    document.add(ada);
    document.add(plain);

    const std::string v16 =
        " LName=\"\" RName=\"\" Company=\"\" Position=\"\" Addr1=\"\" Addr2=\"\" City=\"\" "
        "State=\"\" Zip=\"\" YellowPages=\"0\" WhitePages=\"0\" Notes=\"\" HmPhone=\"\" "
        "WkPhone=\"\" WkExt=\"\" Fax=\"\" CelPhone=\"\" Pager=\"\" EMail=\"\" WebPage=\"\"";
    const std::string text = formatDocument(document);
    EXPECT_NE(text.find("<Person ID=\"1\" FName=\"Ada\"" + v16 +
                        " Birthday=\"1815-12-10\" Anniversary=\"--07-08\" "
                        "BirthdayReminded=\"2026\">\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("<Person ID=\"2\" FName=\"Bob\"" + v16 + ">\r\n"), std::string::npos)
        << text;

    const RecordStore<Person> read = load(text);
    EXPECT_EQ(*read.find(1), *document.persons().find(1));
    EXPECT_EQ(*read.find(2), *document.persons().find(2)) << "nothing carries over to Bob";
}

TEST_F(PersonDatesFormatTest, ADayThatCannotBeReadIsNoneAndADocumentWithoutDaysKeepsItsBytes) {
    const RecordStore<Person> read = load(
        "<Pim Version=\"16\"><Persons><Person ID=\"1\" FName=\"A\" Birthday=\"soon\" "
        "Anniversary=\"1990-02-29\"/></Persons></Pim>");
    EXPECT_FALSE(read.find(1)->Birthday.isSet());
    EXPECT_EQ(read.find(1)->Anniversary.text(), "1990-02-29");

    std::string bytes;
    ASSERT_TRUE(readWholeFile(QUILLMATE_TEST_DATA "/docfile/current.expected.pgr", bytes));
    PimDocument document(clock_);
    ASSERT_TRUE(loadDocumentBytes(document, bytes));
    EXPECT_EQ(formatDocument(document), bytes);
}

}  // namespace
