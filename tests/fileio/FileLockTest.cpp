#include "fileio/FileLock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "fileio/AtomicFile.h"
#include "support/ScratchDir.h"

namespace {

using std::chrono::milliseconds;

TEST(FileLock, ASecondHolderGivesUpSayingWhyOrWaitsAndLocksAFileReplacedMeanwhile) {
    ScratchDir dir;
    const std::string path = dir.file("home.pgr");
    writeBytes(path, "first");
    auto holder = std::make_unique<FileLock>();
    ASSERT_TRUE(holder->lock(path, milliseconds(0)));
    FileLock second;
    const Status refused = second.lock(path, milliseconds(50));
    EXPECT_EQ(std::pair(refused.kind(), refused.file()), std::pair(FailureKind::Busy, path));
    EXPECT_EQ(second.lock(dir.file("none.pgr"), milliseconds(0)).kind(), FailureKind::Read);

    std::atomic<bool> locked{false};
    FileLock waiter;
    std::thread waiting([&] { locked = waiter.lock(path, milliseconds(60000)).ok(); });
    // Most likely waiting by then; if not, it simply locks the new file.
    std::this_thread::sleep_for(milliseconds(200));
    // The holder saves, replacing the file by a rename, and lets go.
    ASSERT_TRUE(writeFileAtomically(path, "second"));
    holder.reset();
    waiting.join();
    ASSERT_TRUE(locked);
    // The waiter holds the file that now has the name, not the one that was replaced.
    FileLock third;
    EXPECT_EQ(third.lock(path, milliseconds(0)).kind(), FailureKind::Busy);
}

TEST(AtomicFile, ASaveCheckedAgainstAStampRefusesAFileChangedSince) {
    ScratchDir dir;
    const std::string path = dir.file("home.pgr");
    // What another program does after the read, and whether the save is refused.
    const std::tuple<const char*, std::function<void()>, bool> cases[] = {
        {"left alone", [] {}, false},
        {"written in place", [&] { writeBytes(path, "theirs, longer"); }, true},
        {"same size, later time",
         [&] {
             writeBytes(path, "THEIRS");
             const timespec later[2] = {{0, UTIME_OMIT}, {time(nullptr) + 5, 0}};
             utimensat(AT_FDCWD, path.c_str(), later, 0);
         },
         true},
        {"replaced by a rename", [&] { ASSERT_TRUE(writeFileAtomically(path, "theirs")); }, true},
        {"removed", [&] { std::filesystem::remove(path); }, true},
    };
    for (const auto& [what, change, refused] : cases) {
        SCOPED_TRACE(what);
        writeBytes(path, "theirs");
        std::string bytes;
        FileStamp read;
        ASSERT_TRUE(readWholeFile(path, bytes, &read));
        change();
        const std::string before = fileBytes(path);
        FileStamp written;
        const WriteOptions options{
            .unchangedSince = read, .written = &written, .permissions = std::nullopt};
        const Status saved = writeFileAtomically(
            path, [](const ByteSink& sink) { return sink("ours"); }, options);
        if (refused) {
            EXPECT_EQ(saved.kind(), FailureKind::Conflict);
            EXPECT_EQ(saved.file(), path);
            EXPECT_EQ(fileBytes(path), before) << "the other program's change stays";
        } else {
            ASSERT_TRUE(saved) << saved.message();
            EXPECT_EQ(fileBytes(path), "ours");
            EXPECT_EQ(currentStamp(path), written) << "the next save checks against this";
        }
        EXPECT_EQ(dir.names().size(), refused && !std::filesystem::exists(path) ? 0u : 1u);
    }
}

TEST(FileStamp, TimesFarAheadAreKeptWhole) {
    ScratchDir dir;
    const std::string path = dir.file("far.pgr");
    writeBytes(path, "x");
    const timespec year2300[2] = {{0, UTIME_OMIT}, {10413792000, 5}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), year2300, 0), 0);
    const auto stamp = currentStamp(path);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->modifiedSeconds, 10413792000);
    EXPECT_EQ(stamp->modifiedNanoseconds, 5);
}

}  // namespace
