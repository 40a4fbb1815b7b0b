#include <filesystem>

#include "CliFixture.h"
#include "cli/commands/CommandSupport.h"

namespace {

using BackupCommands = CliFixture;

// Each change keeps the version it replaced; a restore is undone by restoring version 1.
TEST_F(BackupCommands, ListsTheVersionsAndARestoreIsUndoneByAnother) {
    for (const std::string number : {"0", "1", "x", "99999"})
        expectRefused({"restore", doc, number}, 2, "there are 0");
    EXPECT_EQ(
        said(run({"backups", doc})),
        said(0, "", doc + ": no earlier versions kept in " + userBackups().folderFor(doc) + "\n"));

    for (const char* task : {"one", "two"})
        ASSERT_EQ(run({"add-task", doc, task}).code, 0);
    const CliRun listed = run({"backups", doc});
    EXPECT_EQ(listed.code, 0);
    EXPECT_TRUE(listed.out.starts_with("1\t")) << listed.out;
    EXPECT_NE(listed.out.find("\t0 persons\t1 tasks\t0 appointments\n2\t"), std::string::npos)
        << listed.out;
    EXPECT_TRUE(listed.out.ends_with("\t0 persons\t0 tasks\t0 appointments\n")) << listed.out;

    EXPECT_EQ(said(run({"restore", doc, "2"})),
              said(0, doc + ": version 2 restored; the version it replaced is now version 1\n"));
    EXPECT_NE(run({"info", doc}).out.find("tasks: 0\n"), std::string::npos);
    ASSERT_EQ(run({"restore", doc, "1"}).code, 0);
    EXPECT_NE(run({"info", doc}).out.find("tasks: 2\n"), std::string::npos);
}

// A restore that cannot keep the version it replaces restores nothing.
TEST_F(BackupCommands, ARestoreThatCannotKeepTheCurrentVersionChangesNothing) {
    ASSERT_EQ(run({"add-task", doc, "one"}).code, 0);
    // The next version's name is taken by a folder, so that even the superuser cannot
    // keep it there.
    const std::string versions = userBackups().folderFor(doc) + "/";
    std::filesystem::copy_file(versions + "00000001.pgr", versions + "99999999.pgr");
    std::filesystem::create_directory(versions + "100000000.pgr");
    expectRefused({"restore", doc, "1"}, 1, "nothing restored");
}

// Commands that write a whole document over an existing one keep what they replace.
TEST_F(BackupCommands, ReplacingADocumentKeepsItsVersion) {
    const std::string other = dir.file("other.pgr");
    ASSERT_EQ(run({"new", other}).code, 0);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"new", doc, "--force"}, {"resave", other, doc}}) {
        ASSERT_EQ(run({"add-task", doc, "one"}).code, 0);
        const CliRun replaced = run(command);
        EXPECT_EQ(replaced.code, 0) << command[0] << ": " << replaced.err;
        const std::string listed = run({"backups", doc}).out;
        EXPECT_NE(listed.substr(0, listed.find('\n')).find("\t1 tasks\t"), std::string::npos)
            << command[0];
    }
}

}  // namespace
