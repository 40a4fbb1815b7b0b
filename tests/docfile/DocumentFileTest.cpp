#include "docfile/DocumentFile.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/CountingView.h"
#include "support/EveryAllocationFailure.h"
#include "support/ProcessGuards.h"
#include "support/ScratchDir.h"

namespace {

const std::string kData = QUILLMATE_TEST_DATA "/docfile/";

class DocumentFileTest : public testing::Test {
protected:
    TzGuard tz{"Europe/Berlin"};
    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    ScratchDir dir;
};

TEST_F(DocumentFileTest, SavedFilesMatchTheExpectedBytes) {
    // A file, what every save of it writes, and how many saves: each loads what the one
    // before wrote.
    const std::tuple<const char*, const char*, int> cases[] = {
        {"version1.pgr", "version1.expected.pgr", 2},
        {"current.pgr", "current.expected.pgr", 2},
        {"notes.pgr", "notes.expected.pgr", 3},
        {"windows1252.pgr", "windows1252.expected.pgr", 2},
        {"empty.expected.pgr", "empty.expected.pgr", 1},
    };
    for (const auto& [input, expectedFile, saves] : cases) {
        SCOPED_TRACE(input);
        const std::string expected = fileBytes(kData + expectedFile);
        ASSERT_FALSE(expected.empty());
        std::string from = kData + input;
        for (int save = 1; save <= saves; ++save) {
            PimDocument document(clock);
            ASSERT_TRUE(loadDocument(document, from));
            const std::string to = dir.file("save" + std::to_string(save) + ".pgr");
            ASSERT_TRUE(saveDocument(document, to));
            EXPECT_EQ(fileBytes(to), expected) << "save " << save;
            from = to;
        }
    }
}

TEST_F(DocumentFileTest, AFailedLoadChangesNothingAndOneThatWorksReplacesTheContents) {
    PimDocument document(clock);
    CountingView view;
    document.attachView(view);
    document.seedDefaultGroups();
    document.add(Task::createdAt(DateTime::now(clock)));
    document.setPath("/home/ann/current.pgr");
    view.changes = 0;
    const PimContents before = document.contents();

    // The bytes of the file ("-": no file at all), the failure and the line it names.
    const std::tuple<const char*, std::string, FailureKind, int32_t> cases[] = {
        {"missing file", "-", FailureKind::Read, 0},
        {"empty file", "", FailureKind::Syntax, 1},
        {"broken on line 3", "<Pim Version=\"16\">\r\n<Tasks>\r\n</Persons></Pim>",
         FailureKind::Syntax, 3},
        {"records before the error", "<Pim Version=\"16\"><Tasks><Task ID=\"9\"/></Tasks>\n<",
         FailureKind::Syntax, 2},
        {"zero byte inside the root", std::string("<Pim>\0</Pim>", 12), FailureKind::Syntax, 1},
    };
    for (const auto& [what, bytes, failure, line] : cases) {
        SCOPED_TRACE(what);
        const std::string path = dir.file("broken.pgr");
        std::filesystem::remove(path);
        if (bytes != "-") writeBytes(path, bytes);

        const Status result = loadDocument(document, path);
        EXPECT_EQ(result.kind(), failure);
        EXPECT_EQ(result.line(), line);
        EXPECT_EQ(result.file(), path) << result.message();
        EXPECT_TRUE(document.contents() == before);
        EXPECT_EQ(std::tuple(document.isModified(), document.path(), view.changes),
                  std::tuple(true, "/home/ann/current.pgr", 0));
    }
    // A load that works replaces the contents but not the path, which is the caller's
    // business. Text after the first zero byte is not read.
    const std::string path = dir.file("ok.pgr");
    writeBytes(path, std::string("<Pim Version=\"16\"><Persons LastID=\"4\"/></Pim>\0<<", 49));
    ASSERT_TRUE(loadDocument(document, path));
    PimContents loaded;
    loaded.persons.setLastId(4);
    EXPECT_TRUE(document.contents() == loaded);
    EXPECT_EQ(std::tuple(document.isModified(), document.path(), view.changes),
              std::tuple(false, "/home/ann/current.pgr", 1));
    document.detachView(view);
}

TEST_F(DocumentFileTest, RunningOutOfMemoryAnywhereInALoadIsAnErrorThatChangesNothing) {
    const std::string bytes = fileBytes(kData + "current.pgr");
    PimDocument document(clock);
    document.seedDefaultGroups();
    document.setModified(true);
    expectEveryAllocationFailureReported(
        [&] { return loadDocumentBytes(document, bytes); }, "not enough memory to load it",
        [&] { return document.phGroups().size() == 3 && document.isModified(); });
}

TEST_F(DocumentFileTest, ALargeFileLoadsAsItsBytesDoWithTheLineAndColumnOfAnError) {
    // Large enough for the loader to hand back the memory of the bytes behind it on the
    // way, with values that span lines and a reference here and there.
    std::string records;
    for (int i = 1; records.size() < (12u << 20); ++i)
        records += "\t\t<Task ID=\"" + std::to_string(i) + "\" Description=\"task " +
                   std::to_string(i) + " &amp; more\r\nsecond line\" Priority=\"2\" />\r\n";
    const std::string start = "<?xml version=\"1.0\"?>\r\n<Pim Version=\"16\">\r\n\t<Tasks>\r\n";
    const std::string end = "\t</Tasks>\r\n</Pim>\r\n";
    // Every other task has no description and keeps the one before it, whose bytes lie
    // behind the loader; a record dropped for its ID hands on its values all the same.
    std::string carried;
    for (int i = 1; carried.size() < (12u << 20); ++i)
        carried += "\t\t<Task ID=\"" + std::to_string(i) + "\"" +
                   (i % 2 == 1 ? " Description=\"task " + std::to_string(i) + "\"" : "") +
                   " />\r\n";
    const std::string texts[] = {
        start + records + end,
        start + records + "\t\t<Task ID=\"1\" Description=\"<\" />\r\n" + end,
        start + records + records + "\t\t<Task\r\n\t\t\tID=\"\x01\r\n" + end,
        start + records + end.substr(0, end.size() - 3),
        start + carried +
            "\t\t<Task ID=\"1\" Description=\"dropped\" />\r\n\t\t<Task ID=\"99999999\" />\r\n" +
            end,
    };
    for (const std::string& text : texts) {
        const std::string path = dir.file("large.pgr");
        writeBytes(path, text);
        PimDocument fromFile(clock), fromBytes(clock);
        const Status loaded = loadDocument(fromFile, path);
        const Status expected = loadDocumentBytes(fromBytes, text).inFile(path);
        EXPECT_EQ(std::tuple(loaded.message(), loaded.line(), loaded.column()),
                  std::tuple(expected.message(), expected.line(), expected.column()));
        EXPECT_TRUE(fromFile.contents() == fromBytes.contents());
    }
}

TEST_F(DocumentFileTest, BackupWritesACopyAndLeavesTheDocumentAlone) {
    PimDocument document(clock);
    document.seedDefaultGroups();
    document.add(Task::createdAt(DateTime::now(clock)));
    document.setPath(dir.file("home.pgr"));
    ASSERT_TRUE(backupDocument(document, dir.file("home.bak")));
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.path(), dir.file("home.pgr"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("home.pgr")));

    ASSERT_TRUE(saveDocument(document, dir.file("saved.pgr")));
    EXPECT_EQ(fileBytes(dir.file("home.bak")), fileBytes(dir.file("saved.pgr")));
    EXPECT_FALSE(backupDocument(document, dir.file("missing/home.bak")));

    const std::pair<const char*, const char*> stems[] = {
        {"/home/ann/Data/home.pgr", "home"}, {"", "Untitled"},       {"/a/b.c.pgr", "b.c"},
        {"/a/.hidden", ".hidden"},           {"dir.d/file", "file"},
    };
    for (const auto& [path, stem] : stems)
        EXPECT_EQ(backupFileStem(path), stem) << "offered for " << path;
}

}  // namespace
