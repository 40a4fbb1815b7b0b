#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fileio/AtomicFile.h"
#include "support/ScratchDir.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

TEST(WholeFileRead, ReadsRegularFilesWholeAndRefusesTheRestWithoutWaitingOnThem) {
    ScratchDir dir;
    const std::string bytes = std::string("a\0b\r\nc", 6) + std::string(70000, 'z');
    writeBytes(dir.file("f"), bytes);
    ASSERT_EQ(symlink("f", dir.file("link").c_str()), 0);
    for (const char* name : {"f", "link"}) {
        std::string read;
        ASSERT_TRUE(readWholeFile(dir.file(name), read)) << name;
        EXPECT_EQ(read, bytes) << name;
    }

    ASSERT_EQ(mkfifo(dir.file("pipe.pgr").c_str(), 0600), 0);  // nobody ever writes to it
    ASSERT_EQ(symlink("pipe.pgr", dir.file("link.pgr").c_str()), 0);
    const std::tuple<std::string, const char*> cases[] = {
        {dir.file("missing"), "No such file or directory"},
        {dir.path().string(), "Is a directory"},
        {dir.file("pipe.pgr"), "not a regular file"},
        {dir.file("link.pgr"), "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {"/dev/null", "not a regular file"},
    };
    for (const auto& [path, reason] : cases) {
        std::string read = "as it was";
        const Status failed = readWholeFile(path, read);
        EXPECT_EQ(failed.kind(), FailureKind::Read);
        EXPECT_EQ(failed.message(), path + ": " + reason);
        EXPECT_EQ(read, "as it was") << "a failed read leaves the bytes alone";
    }
}

TEST(WholeFileRead, AFileTooLargeForMemoryIsAnErrorNotAnAbort) {
    if (kAddressSanitizer)
        GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
    ScratchDir dir;
    const std::string path = dir.file("huge.pgr");
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t{8} << 30), 0);  // sparse: no disk space taken
    close(fd);
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limit{rlim_t{1} << 30, rlim_t{1} << 30};
        if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(50);
        std::string bytes;
        const Status read = readWholeFile(path, bytes);
        _exit(read.ok() ? 1 : read.message() != path + ": not enough memory to hold it" ? 2 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: read it, 2: another message";
}

}  // namespace
