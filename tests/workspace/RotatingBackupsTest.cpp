#include "workspace/RotatingBackups.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/MemorySettingsStore.h"
#include "support/ProcessGuards.h"
#include "support/ScratchDir.h"
#include "support/SeededDocument.h"
#include "workspace/DocFileStorage.h"
#include "workspace/DocumentSettings.h"

namespace {

std::vector<std::string> keptBytes(const RotatingBackups& backups, const std::string& path) {
    std::vector<std::string> bytes;
    for (const BackupVersion& version : backups.versions(path))
        bytes.push_back(fileBytes(version.file));
    return bytes;
}

// Saves of five versions through the number kept: the newest first, the oldest dropped,
// nothing added while turned off (a restore still keeps what it replaces, until the next
// save), and a save of the same bytes again adds no second copy.
TEST(RotatingBackups, KeepsTheNewestVersionsUpToTheNumberChosen) {
    struct Case {
        const char* label;
        int kept;
        bool evenWhenOff;
        std::vector<std::string> expected;
    };
    for (const Case& c :
         {Case{"three kept", 3, false, {"v5", "v4", "v3"}},
          Case{"more kept than saves", 10, false, {"v5", "v4", "v3", "v2", "v1"}},
          Case{"turned off", 0, false, {}}, Case{"off, but a restore", 0, true, {"v5"}}}) {
        ScratchDir dir;
        const std::string path = dir.file("home.pgr");
        const RotatingBackups backups(dir.file("backups"), [&] { return c.kept; });
        EXPECT_TRUE(backups.keepCurrent(path)) << c.label << ": no file yet, nothing to keep";
        for (const char* bytes : {"v1", "v2", "v3", "v4", "v5", "v5"}) {
            writeBytes(path, bytes);
            backups.prune(path);
            EXPECT_TRUE(backups.keepCurrent(path, c.evenWhenOff)) << c.label;
        }
        EXPECT_EQ(keptBytes(backups, path), c.expected) << c.label;
    }
}

// A version is the user's alone, carries the time its file was saved, and the document
// is the same one under a relative name or through a link.
TEST(RotatingBackups, AVersionIsPrivateDatedAndFoundUnderAnyName) {
    ScratchDir dir;
    const std::string path = dir.file("home.pgr");
    writeBytes(path, "saved long ago");
    const struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    std::filesystem::create_symlink(path, dir.file("link.pgr"));
    const RotatingBackups backups(dir.file("backups"), [] { return 10; });
    ASSERT_TRUE(backups.keepCurrent(dir.file("link.pgr")));

    const auto versions = backups.versions(path);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].savedAt, 1000000000);
    struct stat st {};
    ASSERT_EQ(stat(versions[0].file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    const CwdGuard inDir(dir.path());
    EXPECT_EQ(backups.versions("home.pgr").size(), 1u);
}

// The storage keeps the file a save replaces, but not for a save that is refused because
// another program changed the file (its own saves are known, and that file is left as it
// is); the setting holds at the next save, and a save waits for an import's lock.
TEST(RotatingBackups, TheStorageKeepsWhatASaveReplacesAndNeverAnotherProgramsChange) {
    ScratchDir dir;
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    const std::string path = dir.file("home.pgr");
    ASSERT_TRUE(saveSeededDocument(clock, path));
    PimDocument document(clock);
    MemorySettingsStore store;
    DocumentSettings settings(store);
    EXPECT_EQ(settings.readBackupsKept(), RotatingBackups::kDefaultKept);
    const RotatingBackups backups(dir.file("backups"), [&] { return settings.readBackupsKept(); });
    DocFileStorage storage;
    storage.keepBackups(backups);
    ASSERT_TRUE(storage.load(document, path));

    document.add(Task{});
    ASSERT_TRUE(storage.save(document, path, SaveMode::KeepOtherChanges));
    ASSERT_EQ(backups.versions(path).size(), 1u);
    PimDocument previous(clock);
    ASSERT_TRUE(loadDocument(previous, backups.versions(path)[0].file));
    EXPECT_TRUE(previous.tasks().empty());

    // Saves that fail keep nothing and push no older version out.
    settings.writeBackupsKept(1);
    const std::vector<std::string> before = keptBytes(backups, path);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        document.add(Task{});
        EXPECT_FALSE(storage.save(document, path, SaveMode::KeepOtherChanges));
    }
    EXPECT_EQ(keptBytes(backups, path), before);
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    settings.writeBackupsKept(RotatingBackups::kDefaultKept);

    const std::string theirs = fileBytes(path) + " ";
    writeBytes(path, theirs);  // another program's change
    const Status refused = storage.save(document, path, SaveMode::KeepOtherChanges);
    EXPECT_EQ(refused.kind(), FailureKind::Conflict);
    EXPECT_EQ(refused.reason(), "changed by another program since it was read; not overwritten");
    EXPECT_EQ(fileBytes(path), theirs);
    EXPECT_EQ(backups.versions(path).size(), 1u);

    // Turned off, the next save drops what was kept before.
    settings.writeBackupsKept(0);
    ASSERT_TRUE(storage.save(document, path, SaveMode::Overwrite));
    EXPECT_TRUE(storage.save(document, path, SaveMode::KeepOtherChanges)) << "its own save";
    EXPECT_TRUE(backups.versions(path).empty());
    EXPECT_EQ(storage.takeNotice(), "");

    FileLock held;  // as a command-line import holds it while it changes the file
    ASSERT_TRUE(held.lock(path, std::chrono::milliseconds(0)));
    const std::string locked = fileBytes(path);
    DocFileStorage impatient(std::chrono::milliseconds(0));
    EXPECT_EQ(impatient.save(document, path, SaveMode::Overwrite).kind(), FailureKind::Busy);
    EXPECT_EQ(fileBytes(path), locked);
}

}  // namespace
