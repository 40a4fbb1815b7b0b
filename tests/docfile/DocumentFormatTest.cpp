#include <gtest/gtest.h>

#include <limits>

#include "docfile/DocumentFile.h"
#include "docfile/DocumentReader.h"
#include "docfile/DocumentWriter.h"
#include "docfile/FieldValues.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/ProcessGuards.h"
#include "support/Records.h"

namespace {

class DocumentReaderTest : public testing::Test {
protected:
    // Reads a text into document_; false on a syntax error.
    bool read(const std::string& text) {
        document_ = std::make_unique<PimDocument>(clock_);
        PimContents contents;
        const bool ok = readDocumentText(text, contents, DateTime::now(clock_)).ok();
        document_->adoptContents(std::move(contents));
        return ok;
    }
    // Wraps collections into a version-16 document.
    bool read16(const std::string& collections) {
        return read("<?xml version=\"1.0\"?><Pim Version=\"16\">" + collections + "</Pim>");
    }
    const PimDocument& doc() const { return *document_; }
    const Person& person(int32_t id) const { return *doc().persons().find(id); }

    TzGuard tz_{"UTC"};
    FixedClock clock_{LocalTime{2026, 12, 6, 10, 30, 0, 0}};
    std::unique_ptr<PimDocument> document_;
};

TEST_F(DocumentReaderTest, OtherRootsAndVersionsAreRefusedSayingWhy) {
    const std::string tasks = "<Tasks LastID=\"1\"><Task ID=\"1\"/></Tasks>";
    const std::string reads = "; this program reads versions 1 and 16";
    // A text and why it is refused, "" for a document of ours.
    const std::tuple<std::string, std::string> cases[] = {
        {"<Pom Version=\"16\">" + tasks + "</Pom>",
         "not a Quillmate document: its root element is <Pom>"},
        {"<" + std::string(60, 'x') + "/>",
         "not a Quillmate document: its root element is <" + std::string(40, 'x') + ">"},
        {"<Pim>" + tasks + "</Pim>", "not a Quillmate document: its Pim element has no Version"},
        {"<Pim Version=\"2\">" + tasks + "</Pim>", "unknown document version \"2\"" + reads},
        {"<Pim Version=\"17\">" + tasks + "</Pim>",
         "written by a newer Quillmate (document version 17)" + reads},
        {"<Pim Version=\"2\" Version=\"16\">" + tasks + "</Pim>", ""},
        {"<Pim Version=\" 16th\">" + tasks + "</Pim>", ""},
        {"<Pim Version=\"1\">" + tasks + "</Pim>", ""},
        {"\xEF\xBB\xBF<Pim Version=\"16\">" + tasks + "</Pim>", ""},
    };
    for (const auto& [text, reason] : cases) {
        SCOPED_TRACE(text);
        PimContents contents;
        const Status read = readDocumentText(text, contents, DateTime::now(clock_));
        if (reason.empty()) {
            EXPECT_TRUE(read.ok()) << read.message();
            EXPECT_EQ(contents.tasks.size(), 1u);
        } else {
            EXPECT_EQ(read.kind(), FailureKind::Content);
            EXPECT_EQ(read.reason(), reason);
        }
    }
}

TEST_F(DocumentReaderTest, OneStrayByteStaysOneCharacterAndByteReferencesFrom0x80AreWindows1252) {
    for (const std::string other : {"\xC3\xA9", "\xE9"}) {
        // A stray byte among UTF-8 stays one character; the rest is not read as Windows-1252.
        ASSERT_TRUE(read16("<User FName=\"" + other + "\xC3\xBC&#233;&#x80;&#65;\"/>"));
        EXPECT_EQ(doc().user().FName, "éüé€A");
    }
}

TEST_F(DocumentReaderTest, ReadsPersonsAndTheirGroupsButNeverCommentsAsRecords) {
    ASSERT_TRUE(read16(
        "<PhGroups LastID=\"5\"><PhGroup ID=\"5\"><Desc>Old</Desc><Desc>Fr<x>no</x>iends</Desc>"
        "</PhGroup><PhGroup ID=\"6\"/></PhGroups>"
        "<Persons LastID=\"2\">"
        "<Person ID=\"1\" FName=\"Ann\" WhitePages=\"01\" YellowPages=\"1\">"
        "<PhGroups><PhGroup>5</PhGroup><PhGroup> 1<!-- c --></PhGroup><Other>9</Other>"
        "</PhGroups><PhGroups><PhGroup>x</PhGroup></PhGroups></Person>"
        "<Contact ID=\"9\"/>"
        "<Person ID=\"2\"/>"
        "<Person ID=\"1\" FName=\"Dup\"/>"
        "<Person ID=\"4\"/>"
        "</Persons>"
        "<User FName=\"Me\" Zip=\"1\"/><User Zip=\"2\"/>"
        "<Tasks LastID=\"7\"><Task ID=\"1\" Priority=\"3\"/></Tasks><Tasks><Task "
        "ID=\"2\"/></Tasks>"));
    EXPECT_EQ(doc().phGroups().find(5)->Desc, "Friends");
    EXPECT_EQ(doc().phGroups().find(6)->Desc, "Friends") << "the working group keeps Desc";
    EXPECT_EQ(person(1).PhGroups, (std::vector<int32_t>{5, 1, 0}));
    EXPECT_FALSE(doc().persons().contains(9)) << "only Person children are persons";
    EXPECT_EQ(person(2).FName(), "Ann");
    EXPECT_TRUE(person(2).PhGroups.empty()) << "each person starts with no groups";
    EXPECT_EQ(person(1).FName(), "Ann") << "a duplicate is dropped";
    EXPECT_EQ(person(4).FName(), "Dup") << "but its values carry on";
    EXPECT_EQ(std::tuple(doc().user().FName, doc().user().Zip), std::tuple("Me", "2"));
    EXPECT_EQ(std::pair(person(1).WhitePages, person(1).YellowPages), std::pair(0, 1))
        << "a flag is set by \"1\" alone";
    EXPECT_EQ(doc().tasks().find(2)->Priority, 0)
        << "a second Tasks element starts from the defaults";
    EXPECT_EQ(doc().tasks().lastId(), 7) << "and keeps the LastID it does not give";

    ASSERT_TRUE(
        read16("<!-- c --><Tasks><!-- c --><Task ID=\"1\"/><!-- c --></Tasks>"
               "<Persons><!-- c --></Persons>"));
    EXPECT_EQ(doc().tasks().size(), 1u);
    EXPECT_TRUE(doc().persons().empty());
    ASSERT_TRUE(read("<Pim Version=\"1\"><Persons><!-- c --><P ID=\"4\"/></Persons></Pim>"));
    EXPECT_EQ(doc().persons().size(), 1u);
}

TEST(FieldValues, ReadsNumbersAsAtolDoesAndAnyRunOfCarriageReturnsBeforeALineFeedAsOneBreak) {
    const std::pair<const char*, int64_t> cases[] = {
        {"42", 42},
        {" \t\n\v\f\r-17x", -17},
        {"", 0},
        {"- 5", 0},
        {"0x10", 0},
        {"9223372036854775807", std::numeric_limits<int64_t>::max()},
        {"18446744075409551616", std::numeric_limits<int64_t>::max()},  // 2^64 + 1.7e9
        {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
        {"-99999999999999999999999", std::numeric_limits<int64_t>::min()},
        // Times run to ten digits; eight are taken at once where all of them are digits.
        {"1774747800", 1774747800},
        {"12345678", 12345678},
        {"123456789012345678", 123456789012345678},
        {"1234567/9", 1234567},
        {"12345678:0", 12345678},
        {"00000001 ", 1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(readLong(text), value) << '"' << text << '"';
    EXPECT_EQ(readInt("4294967297"), 1) << "the low 32 bits, as a 32-bit field keeps them";
    EXPECT_EQ(readInt("-1"), -1);

    const std::pair<std::string, std::string> breaks[] = {
        {"a\r\r\nb", "a\r\nb"},
        {"a\r\r\r\r\nb\r\r\nc", "a\r\nb\r\nc"},
        {"a\rb\r", "a\rb\r"},
        {"\r\r", "\r\r"},
        // A long run without a line feed, which a rescan from every CR would take minutes on.
        {std::string(200000, '\r') + "x", std::string(200000, '\r') + "x"},
    };
    for (const auto& [value, field] : breaks) {
        std::string stored = "old";
        readText(stored, value);
        EXPECT_EQ(stored, field);
    }
}

TEST_F(DocumentReaderTest, FindsACarriageReturnWhereverItStandsInAShortValue) {
    // Short values are searched in one piece of sixteen bytes: a CR CR LF, read as one
    // break, at every place of every length up to past the piece.
    for (size_t length = 3; length <= 18; ++length) {
        for (size_t at = 0; at + 3 <= length; ++at) {
            std::string value(length, 'v');
            value.replace(at, 3, "\r\r\n");
            ASSERT_TRUE(read16("<Persons LastID=\"1\"><Person ID=\"1\" City=\"" + value +
                               "\"/></Persons>"));
            EXPECT_EQ(person(1).City(), value.erase(at, 1)) << length << ' ' << at;
        }
    }
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class DocumentWriterTest : public DocumentReaderTest {
protected:
    PimDocument document{clock_};
    // Seconds of 6 December 2026 00:00 UTC: what undatable dates are written as.
    const std::string today = "1796515200";
};

TEST_F(DocumentWriterTest, EscapesAByteWhereverItStandsInAShortValue) {
    // Short values are looked at as two pieces that may overlap: a byte to escape at every
    // place of every length up to two pieces and a half.
    for (const auto& [byte, escaped] : {std::pair("<", "&lt;"), std::pair("\xE9", "&#233;")}) {
        for (size_t length = 1; length <= 20; ++length) {
            for (size_t at = 0; at < length; ++at) {
                std::string value(length, 'v');
                value.replace(at, 1, byte);
                PimDocument one(clock_);
                one.add(PhGroup{0, value});
                const std::string expected = value.substr(0, at) + escaped + value.substr(at + 1);
                EXPECT_TRUE(contains(formatDocument(one), "<Desc>" + expected + "</Desc>"))
                    << expected;
            }
        }
    }
}

TEST_F(DocumentWriterTest, WritesDatesAsTheFormatAsksAndKeepsEveryValueReadable) {
    document.add(taskDue("", DateTime(), Task::Done));  // no dates at all
    Appointment appointment = Appointment::createdAt(DateTime::fromFields(2040, 1, 1));
    appointment.DueDate = DateTime();
    document.add(appointment);

    Person person;
    person.setNotes("crlf\r\nlf\nlone\rtab\tend");
    person.setFName(std::string("nul\0byte", 8));
    person.setLName("Caf\xE9 M\xC3\xBCller \xF0\x9F\x98\x80 \xE2\x82");  // stray bytes
    document.add(person);
    document.add(PhGroup{0, "a\nb"});

    const std::string text = formatDocument(document);
    EXPECT_TRUE(contains(text, "<Task ID=\"1\" Description=\"\" Priority=\"3\" DueDate=\"" + today +
                                   "\" DoneDate=\"" + today + "\" />\r\n"));
    EXPECT_TRUE(contains(text,
                         "<Appointment ID=\"1\" Description=\"\" DueDate=\"-1\" "
                         "StartTime=\"2208988800\" EndTime=\"2208988800\" Alarm=\"0\" "
                         "AlarmTime=\"0\" Done=\"0\" />\r\n"));
    EXPECT_TRUE(contains(text, "Notes=\"crlf\r\nlf\r\nlone\rtab\tend\""));
    EXPECT_TRUE(contains(text, "FName=\"nul&#0;byte\""));
    EXPECT_TRUE(contains(text, "LName=\"Caf&#233; M\xC3\xBCller \xF0\x9F\x98\x80 &#226;&#130;\""))
        << "the file stays UTF-8";
    EXPECT_TRUE(contains(text, "<Desc>a\r\nb</Desc>"));
    EXPECT_TRUE(contains(text, "\t\t\t<PhGroups>\r\n\t\t\t</PhGroups>\r\n"))
        << "a person without groups still has the lines";

    PimDocument again(clock_);
    ASSERT_TRUE(loadDocumentBytes(again, text));
    EXPECT_EQ(again.persons().find(1)->FName(), person.FName());
    EXPECT_EQ(again.persons().find(1)->Notes(), "crlf\r\nlf\r\nlone\rtab\tend");
    EXPECT_EQ(again.persons().find(1)->LName(),
              "Caf\xC3\xA9 M\xC3\xBCller \xF0\x9F\x98\x80 \xC3\xA2\xE2\x80\x9A")
        << "stray bytes come back as the Windows-1252 characters they were";
    const std::string second = formatDocument(again);
    PimDocument third(clock_);
    ASSERT_TRUE(loadDocumentBytes(third, second));
    EXPECT_EQ(formatDocument(third), second) << "from the second save on nothing changes";
}

}  // namespace

TEST_F(DocumentReaderTest, AUidIsTheRecordsOwnNeverTheOneBeforeAndWrittenOnlyWhenSet) {
    ASSERT_TRUE(read16(
        "<Tasks LastID=\"2\"><Task ID=\"1\" Description=\"a\" UID=\"t-1\"/>"
        "<Task ID=\"2\" Description=\"b\"/></Tasks>"
        "<Persons LastID=\"2\"><Person ID=\"1\" LName=\"x\" UID=\"p&amp;1\"><PhGroups/></Person>"
        "<Person ID=\"2\" LName=\"y\"><PhGroups/></Person></Persons>"
        "<Appointments LastID=\"3\"><Appointment ID=\"1\" UID=\"a-1\"/>"
        "<Appointment ID=\"2\" UID=\"a-2\" RRule=\"FREQ=SOMETIMES\"/>"
        "<Appointment ID=\"3\"/></Appointments>"));
    EXPECT_EQ(std::tuple(doc().tasks().find(1)->uid, doc().tasks().find(2)->uid, person(1).uid,
                         person(2).uid),
              std::tuple("t-1", "", "p&1", ""));
    // A schedule that cannot be read is dropped; the UID stays with the appointment.
    EXPECT_EQ(std::tuple(doc().appointments().find(1)->uid, doc().appointments().find(2)->uid,
                         doc().appointments().find(3)->uid),
              std::tuple("a-1", "a-2", ""));

    const std::string text = formatDocument(doc());
    EXPECT_NE(text.find("Done=\"0\" UID=\"a-1\" />"), std::string::npos) << text;
    EXPECT_NE(text.find("DoneDate=\"0\" UID=\"t-1\" />"), std::string::npos) << text;
    EXPECT_NE(text.find(" UID=\"p&amp;1\">"), std::string::npos) << text;
    EXPECT_EQ(text.find("UID=\"\""), std::string::npos) << text;
}

// A wall time in the hour that repeats when summer time ends names two instants; the
// seconds read say which, and a plain save writes the same ones back.
TEST_F(DocumentReaderTest, ASaveKeepsWhichOfTheTwoInstantsOfARepeatedHourWasStored) {
    // The zone, then the earlier and the later instant of a repeated wall time.
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"Australia/Lord_Howe", "1712413800", "1712415600"},  // 7 April 2024, 01:30
        {"Europe/Berlin", "1761438600", "1761442200"},        // 26 October 2025, 02:30
    };
    for (const auto& [zone, first, second] : cases) {
        SCOPED_TRACE(zone);
        const TzGuard tz(zone);
        const std::string times = "DueDate=\"" + first + "\" StartTime=\"" + first +
                                  "\" EndTime=\"" + second + "\" Alarm=\"1\" AlarmTime=\"" +
                                  second + "\"";
        // A second appointment with no times of its own keeps the first one's.
        ASSERT_TRUE(read16(
            "<Tasks LastID=\"1\"><Task ID=\"1\" Description=\"T\" Priority=\"3\" DueDate=\"" +
            second + "\" DoneDate=\"" + first +
            "\" /></Tasks><Appointments LastID=\"2\"><Appointment ID=\"1\" Description=\"A\" " +
            times + " Done=\"0\" /><Appointment ID=\"2\" Description=\"B\" /></Appointments>"));
        const std::string saved = formatDocument(doc());
        for (const std::string& part : {"DueDate=\"" + second + "\" DoneDate=\"" + first + "\"",
                                        "Description=\"A\" " + times, "Description=\"B\" " + times})
            EXPECT_TRUE(contains(saved, part)) << part << "\n" << saved;
    }
}

TEST_F(DocumentWriterTest, PersonDaysFollowTheVersion16AttributesOnlyWhenSet) {
    Person ada;
    ada.setFName("Ada");
    ada.PhGroups = {1};
    ada.Birthday = MonthDay::parse("1815-12-10").value();
    ada.Anniversary = MonthDay::parse("--07-08").value();
    ada.BirthdayReminded = 2026;
    document.add(ada);
    Person bob;
    bob.setFName("Bob");
    bob.PhGroups = {1};
    document.add(bob);

    const std::string v16 =
        " LName=\"\" RName=\"\" Company=\"\" Position=\"\" Addr1=\"\" Addr2=\"\" City=\"\" "
        "State=\"\" Zip=\"\" YellowPages=\"0\" WhitePages=\"0\" Notes=\"\" HmPhone=\"\" "
        "WkPhone=\"\" WkExt=\"\" Fax=\"\" CelPhone=\"\" Pager=\"\" EMail=\"\" WebPage=\"\"";
    const std::string text = formatDocument(document);
    EXPECT_TRUE(contains(text, "<Person ID=\"1\" FName=\"Ada\"" + v16 +
                                   " Birthday=\"1815-12-10\" Anniversary=\"--07-08\" "
                                   "BirthdayReminded=\"2026\">\r\n"))
        << text;
    EXPECT_TRUE(contains(text, "<Person ID=\"2\" FName=\"Bob\"" + v16 + ">\r\n")) << text;

    ASSERT_TRUE(read(text));
    EXPECT_EQ(person(1), *document.persons().find(1));
    EXPECT_EQ(person(2), *document.persons().find(2)) << "nothing carries over to Bob";

    // A day that cannot be read is none.
    ASSERT_TRUE(read16(
        "<Persons><Person ID=\"1\" FName=\"A\" Birthday=\"soon\" Anniversary=\"1990-02-29\"/>"
        "</Persons>"));
    EXPECT_EQ(person(1).Birthday.text() + "|" + person(1).Anniversary.text(), "|1990-02-29");
}
