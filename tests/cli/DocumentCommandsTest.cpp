#include <sys/stat.h>

#include "CliFixture.h"

namespace {

using DocumentCommands = CliFixture;

TEST_F(DocumentCommands, NewWritesASeededDocumentAndKeepsExistingFiles) {
    EXPECT_EQ(run({"info", doc}).out, "groups: 3\npersons: 0\ntasks: 0\nappointments: 0\n");
    writeBytes(doc, "precious");
    expectRefused({"new", doc}, 1, doc);
    EXPECT_EQ(run({"new", "--force", doc}).code, 0);
    EXPECT_NE(fileBytes(doc), "precious");

    writeBytes(doc, "<Pim Version=\"16\">\r\n<Tasks>\r\n\r\n</Pim>");
    expectRefused({"info", doc}, 1, "quillmate-cli: " + doc + ":4:");
    EXPECT_EQ(std::ranges::count(run({"info", doc}).err, '\n'), 1) << "one line";
    expectRefused({"info", dir.file("missing.pgr")}, 1, dir.file("missing.pgr"));
}

// Which tasks go is the document's rule; the command says how many and saves.
TEST_F(DocumentCommands, CompactSaysHowManyTasksWentAndWhyAWriteFailed) {
    PimDocument document(clock);
    document.add(taskDue("Post cards", at(2026, 12, 4), Task::Done));
    ASSERT_TRUE(saveDocument(document, doc));
    EXPECT_EQ(said(run({"compact", doc})), said(0, "tasks removed: 1\n"));
    EXPECT_EQ(run({"info", doc}).out, "groups: 0\npersons: 0\ntasks: 0\nappointments: 0\n");

    chmod(doc.c_str(), 0444);
    EXPECT_EQ(said(run({"compact", doc})), said(1, "", doc + ": Permission denied\n"));
}

TEST_F(DocumentCommands, FilesOfAnotherKindAreNeverWrittenBack) {
    const std::string other = dir.file("other.pgr");
    const std::string newer = dir.file("newer.pgr");
    writeBytes(other, "<Pom Version=\"16\"><Tasks/></Pom>\r\n");
    writeBytes(newer, "<Pim Version=\"17\"><Tasks LastID=\"1\"><Task ID=\"1\"/></Tasks></Pim>");
    writeBytes(dir.file("in.csv"), "Task\nCall\n");
    const std::pair<std::string, std::string> cases[] = {
        {other, "not a Quillmate document: its root element is <Pom>"},
        {newer,
         "written by a newer Quillmate (document version 17); this program reads "
         "versions 1 and 16"},
    };
    for (const auto& [file, reason] : cases) {
        const std::string before = fileBytes(file);
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"compact", file},
                 {"resave", file, file},
                 {"import", "tasks", file, dir.file("in.csv"), "--columns", "Task"},
                 {"info", file}}) {
            EXPECT_EQ(said(runCliCaptured(args)), said(1, "", file + ": " + reason + "\n"));
            EXPECT_EQ(fileBytes(file), before);
        }
    }
}

}  // namespace
