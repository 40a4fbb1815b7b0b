#include <sys/stat.h>

#include <gtest/gtest.h>

#include "cli/commands/CommandSupport.h"
#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/CliRun.h"
#include "support/ScratchDir.h"

namespace {

TEST(DocumentCommands, NewWritesASeededDocumentAndKeepsExistingFiles) {
    ScratchDir dir;
    const std::string file = dir.file("home.pgr");
    ASSERT_EQ(runCliCaptured({"new", file}).code, 0);
    const CliRun info = runCliCaptured({"info", file});
    EXPECT_EQ(info.code, 0);
    EXPECT_EQ(info.out, "groups: 3\npersons: 0\ntasks: 0\nappointments: 0\n");
    EXPECT_NE(fileBytes(file).find("<Desc>Yellow Pages</Desc>"), std::string::npos);

    writeBytes(file, "precious");
    const CliRun again = runCliCaptured({"new", file});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find(file), std::string::npos);
    EXPECT_EQ(fileBytes(file), "precious");
    EXPECT_EQ(runCliCaptured({"new", "--force", file}).code, 0);
    EXPECT_NE(fileBytes(file), "precious");
}

TEST(DocumentCommands, InfoReportsFilesThatDoNotLoad) {
    ScratchDir dir;
    writeBytes(dir.file("broken.pgr"), "<Pim Version=\"16\">\r\n<Tasks>\r\n\r\n</Pim>");
    const CliRun broken = runCliCaptured({"info", dir.file("broken.pgr")});
    EXPECT_EQ(broken.code, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err.rfind("quillmate-cli: " + dir.file("broken.pgr") + ":4:", 0), 0u)
        << broken.err;
    EXPECT_EQ(std::count(broken.err.begin(), broken.err.end(), '\n'), 1);

    const CliRun missing = runCliCaptured({"info", dir.file("missing.pgr")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find(dir.file("missing.pgr")), std::string::npos);
}

TEST(DocumentCommands, ResaveWritesTheProgramsFormatOrLeavesTheTargetAlone) {
    ScratchDir dir;
    const std::string in = dir.file("in.pgr");
    const std::string out = dir.file("out.pgr");
    writeBytes(in, "<Pim Version=\"1\"><Persons><Person ID=\"1\" FName=\"Ann\"/></Persons></Pim>");
    ASSERT_EQ(runCliCaptured({"resave", in, out}).code, 0);
    EXPECT_EQ(runCliCaptured({"info", out}).out,
              "groups: 3\npersons: 1\ntasks: 0\nappointments: 0\n");

    writeBytes(in, "<Pim Version=\"16\">");
    writeBytes(out, "keep me");
    EXPECT_EQ(runCliCaptured({"resave", in, out}).code, 1);
    EXPECT_EQ(fileBytes(out), "keep me");
    EXPECT_EQ(runCliCaptured({"resave", out, dir.file("no/such/dir.pgr")}).code, 1);
}

// Which tasks go is the document's rule; the command says how many and saves.
TEST(DocumentCommands, CompactSaysHowManyTasksWentAndWhyAWriteFailed) {
    ScratchDir dir;
    const std::string file = dir.file("tasks.pgr");
    FixedClock clock{LocalTime{2026, 12, 5, 9, 0, 0, 0}};
    PimDocument document(clock);
    Task done = Task::createdAt(DateTime::fromFields(2026, 12, 4));
    done.Priority = Task::Done;
    document.add(done);
    ASSERT_TRUE(saveDocument(document, file));
    const CliRun compact = runCliCaptured({"--now", "2026-12-05 09:00", "compact", file});
    EXPECT_EQ(compact.code, 0) << compact.err;
    EXPECT_EQ(compact.out, "tasks removed: 1\n");
    EXPECT_EQ(runCliCaptured({"info", file}).out,
              "groups: 0\npersons: 0\ntasks: 0\nappointments: 0\n");

    chmod(file.c_str(), 0444);
    const CliRun refused = runCliCaptured({"compact", file});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "quillmate-cli: " + file + ": Permission denied\n");
}

TEST(DocumentCommands, FilesOfAnotherKindAreNeverWrittenBack) {
    ScratchDir dir;
    const std::string other = dir.file("other.pgr");
    const std::string newer = dir.file("newer.pgr");
    writeBytes(other, "<Pom Version=\"16\"><Tasks/></Pom>\r\n");
    writeBytes(newer, "<Pim Version=\"17\"><Tasks LastID=\"1\"><Task ID=\"1\"/></Tasks></Pim>");
    writeBytes(dir.file("in.csv"), "Task\nCall\n");
    const std::string reads = "; this program reads versions 1 and 16";
    struct Case {
        std::string file;
        std::string reason;
    };
    const Case cases[] = {
        {other, "not a Quillmate document: its root element is <Pom>"},
        {newer, "written by a newer Quillmate (document version 17)" + reads},
    };
    for (const Case& c : cases) {
        const std::string before = fileBytes(c.file);
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"compact", c.file},
                 {"resave", c.file, c.file},
                 {"import", "tasks", c.file, dir.file("in.csv"), "--columns", "Task"},
                 {"info", c.file}}) {
            const CliRun run = runCliCaptured(args);
            EXPECT_EQ(run.code, 1) << args[0];
            EXPECT_EQ(run.err, "quillmate-cli: " + c.file + ": " + c.reason + "\n");
            EXPECT_EQ(fileBytes(c.file), before);
        }
    }
}

TEST(DocumentCommands, AnUpdateLosesNoChangeMadeSinceTheDocumentWasRead) {
    ScratchDir dir;
    const std::string file = dir.file("home.pgr");
    ASSERT_EQ(runCliCaptured({"new", file}).code, 0);
    const FixedClock clock(LocalTime{2026, 12, 6, 10, 0, 0, 0});
    PimDocument document(clock);
    TestCliContext cli(clock);
    DocumentUpdate update(cli.context, file);
    ASSERT_TRUE(update.load(document));

    // A program that takes no lock (the window) saves in between.
    PimDocument theirs(clock);
    theirs.add(Task::createdAt(DateTime::now(clock)));
    ASSERT_TRUE(saveDocument(theirs, file));
    const std::string before = fileBytes(file);
    const Status saved = update.save(document);
    EXPECT_EQ(saved.message(),
              file + ": changed by another program since it was read; not overwritten");
    EXPECT_EQ(fileBytes(file), before);
}

}  // namespace
