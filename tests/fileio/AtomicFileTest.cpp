#include "fileio/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <set>

#include "support/ScratchDir.h"

namespace {

using Names = std::set<std::string>;

mode_t modeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Runs `step` in a child process, so that limits and identities it takes on stay there.
// Returns the child's exit code.
int inChild(const std::function<int()>& step) {
    const pid_t pid = fork();
    if (pid == 0) _exit(step());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// A failed save in the child: 0 when it reported failure naming the file, or the folder
// when the folder is what refused.
int expectFailedSave(const std::string& path, const std::string& bytes) {
    const Status result = writeFileAtomically(path, bytes);
    if (result) return 1;
    const std::string folder = path.substr(0, path.rfind('/'));
    return result.file() == path || result.file() == folder ? 0 : 2;
}

int asNobody(const std::function<int()>& step) {
    if (setgid(65534) != 0 || setuid(65534) != 0) return 50;
    return step();
}

TEST(AtomicFile, WritesAndReplacesWithoutLeavingTemporaryFiles) {
    ScratchDir dir;
    const std::string target = dir.file("home.pgr");
    const mode_t previousMask = umask(027);  // not the usual 022, which a fallback might guess
    ASSERT_TRUE(writeFileAtomically(target, "first"));
    umask(previousMask);
    EXPECT_EQ(fileBytes(target), "first");
    EXPECT_EQ(modeOf(target), 0640u) << "a new file gets what the umask allows";

    chmod(target.c_str(), 0604);
    const std::string longer(100000, 'x');
    ASSERT_TRUE(writeFileAtomically(target, longer));
    EXPECT_EQ(fileBytes(target), longer);
    EXPECT_EQ(modeOf(target), 0604u) << "a replaced file keeps its permissions";

    ASSERT_TRUE(writeFileAtomically(target, ""));
    EXPECT_EQ(fileBytes(target), "");
    EXPECT_EQ(dir.names(), Names{"home.pgr"});
}

TEST(AtomicFile, WritesThroughASymbolicLink) {
    ScratchDir dir;
    writeBytes(dir.file("real.pgr"), "old");
    ASSERT_EQ(symlink("real.pgr", dir.file("link.pgr").c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(dir.file("link.pgr"), "new"));
    EXPECT_EQ(fileBytes(dir.file("real.pgr")), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.pgr")));
    EXPECT_EQ(dir.names(), (Names{"link.pgr", "real.pgr"}));
}

TEST(AtomicFile, AFailedSaveLeavesTheTargetAsItWas) {
    constexpr int kNoFile = -1, kDirectory = -2;
    struct Case {
        const char* what;
        const char* name;
        int targetMode;  // or kNoFile, kDirectory
        mode_t dirMode;  // 0: as made
        bool asNobody;
        rlim_t sizeLimit;  // 0: none
    };
    const Case cases[] = {
        {"missing directory", "none/home.pgr", kNoFile, 0, false, 0},
        {"target is a directory", "home.pgr", kDirectory, 0, false, 0},
        {"read-only target", "home.pgr", 0444, 0, false, 0},
        {"unwritable directory, writable target", "home.pgr", 0666, 0755, true, 0},
        {"target owned by someone else", "home.pgr", 0644, 0777, true, 0},
        {"disk full part-way", "home.pgr", 0644, 0, false, 4096},
    };
    const std::string newBytes(64 * 1024, 'n');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDir dir;
        const std::string target = dir.file(c.name);
        if (c.targetMode == kDirectory) std::filesystem::create_directory(target);
        if (c.targetMode >= 0) {
            writeBytes(target, "the good old file\r\n");
            chmod(target.c_str(), static_cast<mode_t>(c.targetMode));
        }
        if (c.dirMode != 0) chmod(dir.path().c_str(), c.dirMode);
        const Names before = dir.names();
        const std::string bytesBefore = fileBytes(target);
        const int code = inChild([&] {
            if (c.sizeLimit != 0) {
                signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{c.sizeLimit, c.sizeLimit};
                if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 60;
            }
            const auto save = [&] { return expectFailedSave(target, newBytes); };
            return c.asNobody ? asNobody(save) : save();
        });
        EXPECT_EQ(code, 0) << "1: reported success, 2: message does not name the file";
        EXPECT_EQ(fileBytes(target), bytesBefore);
        EXPECT_EQ(dir.names(), before) << "no temporary file is left";
    }
}

TEST(AtomicFile, AProducerThatGivesUpLeavesTheTargetAlone) {
    ScratchDir dir;
    const std::string target = dir.file("home.pgr");
    writeBytes(target, "old");
    const Status result = writeFileAtomically(
        target, [](const ByteSink& sink) { return sink("half of it") && false; });
    EXPECT_FALSE(result);
    EXPECT_EQ(result.file(), target);
    EXPECT_EQ(fileBytes(target), "old");
    EXPECT_EQ(dir.names(), Names{"home.pgr"});
}

TEST(AtomicFile, ReadsWholeFilesAndNamesTheOnesItCannot) {
    ScratchDir dir;
    const std::string bytes("a\0b\r\nc", 6);
    writeBytes(dir.file("f"), bytes);
    std::string read;
    ASSERT_TRUE(readWholeFile(dir.file("f"), read));
    EXPECT_EQ(read, bytes);

    for (const std::string& path : {dir.file("missing"), dir.path().string()}) {
        const Status failed = readWholeFile(path, read);
        EXPECT_EQ(failed.kind(), FailureKind::Read);
        EXPECT_EQ(failed.file(), path) << failed.message();
        EXPECT_EQ(read, bytes) << "a failed read leaves the bytes alone";
    }
}

}  // namespace
