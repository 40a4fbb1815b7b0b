#include <sys/stat.h>

#include <gtest/gtest.h>

#include "CliFixture.h"
#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

namespace {

using DocumentCommands = CliFixture;

TEST_F(DocumentCommands, NewWritesASeededDocumentAndKeepsExistingFiles) {
    EXPECT_EQ(run({"info", doc}).out, "groups: 3\npersons: 0\ntasks: 0\nappointments: 0\n");
    EXPECT_NE(fileBytes(doc).find("<Desc>Yellow Pages</Desc>"), std::string::npos);
    writeBytes(doc, "precious");
    expectRefused({"new", doc}, 1, doc);
    EXPECT_EQ(run({"new", "--force", doc}).code, 0);
    EXPECT_NE(fileBytes(doc), "precious");

    writeBytes(doc, "<Pim Version=\"16\">\r\n<Tasks>\r\n\r\n</Pim>");
    const CliRun broken = run({"info", doc});
    EXPECT_EQ(broken.code, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err.rfind("quillmate-cli: " + doc + ":4:", 0), 0u) << broken.err;
    EXPECT_EQ(std::count(broken.err.begin(), broken.err.end(), '\n'), 1);
    expectRefused({"info", dir.file("missing.pgr")}, 1, dir.file("missing.pgr"));
}

// Which tasks go is the document's rule; the command says how many and saves.
TEST_F(DocumentCommands, CompactSaysHowManyTasksWentAndWhyAWriteFailed) {
    FixedClock clock{LocalTime{2026, 12, 5, 9, 0, 0, 0}};
    PimDocument document(clock);
    Task done = Task::createdAt(DateTime::fromFields(2026, 12, 4));
    done.Priority = Task::Done;
    document.add(done);
    ASSERT_TRUE(saveDocument(document, doc));
    const CliRun compact = run({"compact", doc});
    EXPECT_EQ(compact.code, 0) << compact.err;
    EXPECT_EQ(compact.out, "tasks removed: 1\n");
    EXPECT_EQ(run({"info", doc}).out, "groups: 0\npersons: 0\ntasks: 0\nappointments: 0\n");

    chmod(doc.c_str(), 0444);
    const CliRun refused = run({"compact", doc});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "quillmate-cli: " + doc + ": Permission denied\n");
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
            const CliRun run = runCliCaptured(args);
            EXPECT_EQ(run.code, 1) << args[0];
            EXPECT_EQ(run.err, "quillmate-cli: " + file + ": " + reason + "\n");
            EXPECT_EQ(fileBytes(file), before);
        }
    }
}

}  // namespace
