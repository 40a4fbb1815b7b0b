#include "docfile/DocumentWriter.h"

#include <gtest/gtest.h>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/ScratchDir.h"
#include "support/TzGuard.h"

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class DocumentWriterTest : public testing::Test {
protected:
    TzGuard tz{"UTC"};
    FixedClock clock{LocalTime{2026, 12, 6, 10, 30, 0, 0}};
    PimDocument document{clock};
    // Seconds of 6 December 2026 00:00 UTC: what undatable dates are written as.
    const std::string today = "1796515200";
};

TEST_F(DocumentWriterTest, WritesDatesAsTheFormatAsks) {
    Task done;  // no dates at all
    done.Priority = Task::Done;
    document.add(done);
    Appointment appointment = Appointment::createdAt(DateTime::fromFields(2040, 1, 1));
    appointment.DueDate = DateTime();
    document.add(appointment);

    const std::string text = formatDocument(document);
    EXPECT_TRUE(contains(text, "<Task ID=\"1\" Description=\"\" Priority=\"3\" DueDate=\"" + today +
                                   "\" DoneDate=\"" + today + "\" />\r\n"));
    EXPECT_TRUE(contains(text,
                         "<Appointment ID=\"1\" Description=\"\" DueDate=\"-1\" "
                         "StartTime=\"2208988800\" EndTime=\"2208988800\" Alarm=\"0\" "
                         "AlarmTime=\"0\" Done=\"0\" />\r\n"));
}

TEST_F(DocumentWriterTest, KeepsEveryValueReadable) {
    Person person;
    person.Notes = "crlf\r\nlf\nlone\rtab\tend";
    person.FName = std::string("nul\0byte", 8);
    person.LName = "Caf\xE9 M\xC3\xBCller \xF0\x9F\x98\x80 \xE2\x82";  // stray bytes
    document.add(person);
    PhGroup group{0, "a\nb"};
    document.add(group);

    const std::string text = formatDocument(document);
    EXPECT_TRUE(contains(text, "Notes=\"crlf\r\nlf\r\nlone\rtab\tend\""));
    EXPECT_TRUE(contains(text, "FName=\"nul&#0;byte\""));
    EXPECT_TRUE(contains(text, "LName=\"Caf&#233; M\xC3\xBCller \xF0\x9F\x98\x80 &#226;&#130;\""))
        << "the file stays UTF-8";
    EXPECT_TRUE(contains(text, "<Desc>a\r\nb</Desc>"));
    EXPECT_TRUE(contains(text, "\t\t\t<PhGroups>\r\n\t\t\t</PhGroups>\r\n"))
        << "a person without groups still has the lines";

    PimDocument again(clock);
    ASSERT_TRUE(loadDocumentBytes(again, text));
    EXPECT_EQ(again.persons().find(1)->FName, person.FName);
    EXPECT_EQ(again.persons().find(1)->Notes, "crlf\r\nlf\r\nlone\rtab\tend");
    EXPECT_EQ(again.persons().find(1)->LName,
              "Caf\xC3\xA9 M\xC3\xBCller \xF0\x9F\x98\x80 \xC3\xA2\xE2\x80\x9A")
        << "stray bytes come back as the Windows-1252 characters they were";
    const std::string second = formatDocument(again);
    PimDocument third(clock);
    ASSERT_TRUE(loadDocumentBytes(third, second));
    EXPECT_EQ(formatDocument(third), second) << "from the second save on nothing changes";
}

}  // namespace
