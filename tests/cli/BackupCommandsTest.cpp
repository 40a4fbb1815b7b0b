#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include "CliFixture.h"
#include "cli/commands/CommandSupport.h"
#include "platform/qt/IniSettingsStore.h"
#include "workspace/DocumentSettings.h"

namespace {

// The document with two tasks added one by one: version 1 holds one task, version 2 none.
class BackupCommands : public CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        for (const char* task : {"one", "two"})
            ASSERT_EQ(run({"add-task", doc, task}).code, 0);
    }
    // The SAVED column of each line the listing prints.
    std::vector<std::string> savedColumn() {
        std::vector<std::string> times;
        std::istringstream lines(run({"backups", doc}).out);
        for (std::string line; std::getline(lines, line);)
            times.push_back(line.substr(line.find('\t') + 1, 19));
        return times;
    }
    // Dates the versions, newest first, as saved at these times since 1970.
    void dateVersions(const std::vector<time_t>& seconds) {
        const auto versions = userBackups().versions(doc);
        ASSERT_EQ(versions.size(), seconds.size());
        for (size_t i = 0; i < seconds.size(); ++i) {
            const struct timespec times[2] = {{seconds[i], 0}, {seconds[i], 0}};
            ASSERT_EQ(utimensat(AT_FDCWD, versions[i].file.c_str(), times, 0), 0);
        }
    }
    size_t tasksIn(const std::string& file) {
        PimDocument document(clock);
        return loadDocument(document, file) ? document.tasks().size() : 99;
    }
};

// Each change keeps the version it replaced; a restore says which it took, and is undone by
// restoring version 1.
TEST_F(BackupCommands, ListsTheVersionsAndARestoreIsUndoneByAnother) {
    for (const std::string number : {"0", "3", "x", "99999"})
        expectRefused({"restore", doc, number}, 2, "there are 2");
    dateVersions({1796637600, 1796551200});  // 2026-12-07 10:00, 2026-12-06 10:00
    EXPECT_EQ(said(run({"backups", doc})),
              said(0,
                   "1\t2026-12-07 10:00:00\t0 persons\t1 tasks\t0 appointments\n"
                   "2\t2026-12-06 10:00:00\t0 persons\t0 tasks\t0 appointments\n"));
    EXPECT_EQ(said(run({"restore", doc, "2"})),
              said(0, doc + ": version 2 (saved 2026-12-06 10:00:00) restored; the version it "
                            "replaced is now version 1\n"));
    EXPECT_EQ(tasksIn(doc), 0u);
    ASSERT_EQ(run({"restore", doc, "1"}).code, 0);
    EXPECT_EQ(tasksIn(doc), 2u);
}

// A restore is wanted most when the document cannot be read or is gone: it restores then,
// keeping what it replaces as a version, and finds the versions under any spelling of the
// path, also a bare name of a file that is gone.
TEST_F(BackupCommands, RestoresADocumentCutShortDamagedOrGone) {
    struct Case {
        const char* label;
        std::function<void()> damage;
        const char* said;
        size_t versionsAfter;
    };
    const std::string bytes = fileBytes(doc);
    const std::string unread = "the file it replaced, which could not be read, is now version 1";
    const Case cases[] = {
        {"cut short", [&] { writeBytes(doc, bytes.substr(0, bytes.size() / 2)); }, unread.c_str(),
         3},
        {"gone", [&] { std::filesystem::remove(doc); }, "there was no file in its place", 2},
    };
    const CwdGuard inDir(dir.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_EQ(run({"new", doc, "--force"}).code, 0);
        std::filesystem::remove_all(userBackups().folderFor(doc));
        for (const char* task : {"one", "two"})
            ASSERT_EQ(run({"add-task", doc, task}).code, 0);
        c.damage();
        const std::string damaged = std::filesystem::exists(doc) ? fileBytes(doc) : "";
        for (const std::string spelling : {"home.pgr", "./home.pgr"})
            EXPECT_EQ(run({"backups", spelling}).out, run({"backups", doc}).out) << spelling;
        const CliRun restored = run({"restore", "home.pgr", "1"});
        EXPECT_EQ(restored.code, 0) << restored.err;
        EXPECT_TRUE(restored.out.starts_with("home.pgr: version 1 (saved ")) << restored.out;
        EXPECT_TRUE(restored.out.ends_with(std::string(c.said) + "\n")) << restored.out;
        EXPECT_EQ(tasksIn(doc), 1u);
        const auto versions = userBackups().versions(doc);
        ASSERT_EQ(versions.size(), c.versionsAfter);
        if (c.versionsAfter == 3) {
            EXPECT_EQ(fileBytes(versions[0].file), damaged) << "nothing of it is lost";
        }
    }
}

// A save between the listing and the restore shifts the numbers, not the times the listing
// shows; a time two versions share is no choice.
TEST_F(BackupCommands, RestoresTheVersionTheListingShowsAsSavedAtATime) {
    dateVersions({1796637600, 1796551200});  // 2026-12-07 10:00, 2026-12-06 10:00
    EXPECT_EQ(savedColumn(),
              (std::vector<std::string>{"2026-12-07 10:00:00", "2026-12-06 10:00:00"}));
    ASSERT_EQ(run({"add-task", doc, "three"}).code, 0);
    EXPECT_EQ(said(run({"restore", doc, "2026-12-06 10:00:00"})),
              said(0, doc + ": version 3 (saved 2026-12-06 10:00:00) restored; the version it "
                            "replaced is now version 1\n"));
    EXPECT_EQ(tasksIn(doc), 0u);

    dateVersions({1796637600, 1796637600, 1796637600, 1796551200});
    expectRefused(
        {"restore", doc, "2026-12-07 10:00:00"}, 2,
        "versions 1, 2 and 3 of " + doc + " were saved at 2026-12-07 10:00:00; give the number");
    expectRefused({"restore", doc, "2026-12-05 10:00:00"}, 2, "there are 4");
}

// With none kept, the next save drops the versions kept before; a restore still keeps the
// one it replaces, so that restoring 1 undoes it.
TEST_F(BackupCommands, KeepingNoneDropsTheVersionsAtTheNextSaveButARestoreStaysUndoable) {
    ScratchDir config;
    const EnvGuard configHome("XDG_CONFIG_HOME", config.path().c_str());
    {
        IniSettingsStore store;
        DocumentSettings(store).writeBackupsKept(0);
    }
    EXPECT_EQ(run({"restore", doc, "2"}).code, 0);
    EXPECT_EQ(tasksIn(doc), 0u);
    ASSERT_EQ(userBackups().versions(doc).size(), 1u);
    EXPECT_EQ(run({"restore", doc, "1"}).code, 0);
    EXPECT_EQ(tasksIn(doc), 2u);
    ASSERT_EQ(run({"add-task", doc, "three"}).code, 0);
    EXPECT_TRUE(userBackups().versions(doc).empty());
}

// A restore that cannot keep the version it replaces restores nothing.
TEST_F(BackupCommands, ARestoreThatCannotKeepTheCurrentVersionChangesNothing) {
    // The next version's name is taken by a folder, so that even the superuser cannot
    // keep it there.
    const std::string versions = userBackups().folderFor(doc) + "/";
    std::filesystem::copy_file(versions + "00000002.pgr", versions + "99999999.pgr");
    std::filesystem::create_directory(versions + "100000000.pgr");
    expectRefused({"restore", doc, "1"}, 1, "nothing restored");
    // A change is still saved, and says on the command's error stream what it could not keep.
    const CliRun added = run({"add-task", doc, "three"});
    EXPECT_EQ(added.code, 0);
    EXPECT_NE(added.err.find("was not kept as a backup"), std::string::npos) << added.err;
}

// Commands that write a whole document over an existing one keep what they replace.
TEST_F(BackupCommands, ReplacingADocumentKeepsItsVersion) {
    ASSERT_EQ(run({"new", doc, "--force"}).code, 0);
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
