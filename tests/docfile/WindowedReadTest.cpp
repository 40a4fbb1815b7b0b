#include <gtest/gtest.h>

#include "docfile/DocumentReader.h"
#include "fileio/FileWindow.h"
#include "records/PimContents.h"
#include "support/ScratchDir.h"

namespace {

const std::string kData = QUILLMATE_TEST_DATA "/docfile/";

// Many records of every kind, with what makes reading them slow or tricky: CR LF line
// ends, values over several lines, references, a byte that is not UTF-8, left-out fields.
std::string manyRecords(const std::string& name) {
    std::string tasks, persons;
    for (int i = 1; i <= 300; ++i) {
        const std::string id = std::to_string(i);
        tasks += "\t\t<Task ID=\"" + id + "\"" +
                 (i % 3 == 0 ? "" : " Description=\"task " + id + " &amp; &#233;\r\nmore\"") +
                 " Priority=\"" + std::to_string(i % 4) + "\" DueDate=\"1782907200\" />\r\n";
        persons += "\t\t<Person ID=\"" + id + "\" FName=\"" + name + "\" LName=\"L" + id +
                   "\" Notes=\"line one\r\n&lt;two&gt;\">\r\n\t\t\t<PhGroups><PhGroup>" +
                   std::to_string(i % 4 + 1) + "</PhGroup></PhGroups>\r\n\t\t</Person>\r\n";
    }
    return "<?xml version=\"1.0\"?>\r\n<Pim Version=\"16\">\r\n\t<Tasks LastID=\"300\">\r\n" +
           tasks + "\t</Tasks>\r\n\t<!-- between -->\r\n\t<Persons LastID=\"300\">\r\n" + persons +
           "\t</Persons>\r\n\t<Appointments LastID=\"1\">\r\n\t\t<Appointment ID=\"1\" "
           "Description=\"x\" DueDate=\"1782907200\" StartTime=\"1782912600\" />\r\n"
           "\t</Appointments>\r\n</Pim>\r\n";
}

TEST(WindowedRead, ReadsWhatTheWholeTextReadsOrLeavesItToThatRead) {
    const DateTime now = DateTime::fromFields(2026, 12, 6, 10);
    std::vector<std::string> texts = {manyRecords("Se\xC3\xA1n"), manyRecords("Se\xE1n")};
    for (const char* file : {"current.pgr", "notes.pgr", "version1.pgr", "windows1252.pgr"})
        texts.push_back(fileBytes(kData + file));
    // Not well-formed, or not ours: the first goes to the whole read, the second is refused.
    texts.push_back(manyRecords("x").substr(0, 20000));
    texts.push_back(manyRecords("<"));
    texts.push_back("<Other>" + manyRecords("x") + "</Other>");

    ScratchDir dir;
    const std::string path = dir.file("doc.pgr");
    for (size_t i = 0; i < texts.size(); ++i) {
        writeBytes(path, texts[i]);
        PimContents whole;
        const Status expected = readDocumentText(texts[i], whole, now);
        // Records fit a margin of 8 kB; the smaller windows cut many of them short.
        for (const size_t capacity : {size_t{200}, size_t{1000}, size_t{64} << 10}) {
            SCOPED_TRACE(testing::Message() << "text " << i << " in " << capacity);
            FileWindow window(capacity);
            ASSERT_TRUE(window.open(path));
            PimContents windowed;
            const std::optional<Status> read = readDocumentText(window, windowed, now);
            if (!read) {
                EXPECT_TRUE(capacity < 4096 || expected.kind() == FailureKind::Syntax);
                continue;
            }
            EXPECT_EQ(std::tuple(read->kind(), read->message()),
                      std::tuple(expected.kind(), expected.message()));
            EXPECT_TRUE(!expected || windowed == whole);
        }
    }
}

}  // namespace
