#include "fileio/AtomicFile.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <set>
#include <thread>

#include "support/ScratchDir.h"

namespace {

using Names = std::set<std::string>;

// A file's owner, group and permission bits.
using Owner = std::tuple<uid_t, gid_t, mode_t>;

Owner ownerOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return {st.st_uid, st.st_gid, st.st_mode & 07777};
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

constexpr uid_t kNobody = 65534;

// Runs `step` as the user nobody, a member of the extra `groups` besides its own.
int asNobody(const std::function<int()>& step, const std::vector<gid_t>& groups = {}) {
    if (setgroups(groups.size(), groups.data()) != 0) return 51;
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) return 50;
    return step();
}

TEST(AtomicFile, WritesAndReplacesWithoutLeavingTemporaryFilesOrAHalfSave) {
    ScratchDir dir;
    const std::string target = dir.file("home.pgr");
    const mode_t previousMask = umask(027);  // not the usual 022, which a fallback might guess
    ASSERT_TRUE(writeFileAtomically(target, "first"));
    umask(previousMask);
    EXPECT_EQ(fileBytes(target), "first");
    EXPECT_EQ(std::get<2>(ownerOf(target)), 0640u) << "a new file gets what the umask allows";

    chmod(target.c_str(), 0604);
    const std::string longer(100000, 'x');
    ASSERT_TRUE(writeFileAtomically(target, longer));
    EXPECT_EQ(fileBytes(target), longer);
    EXPECT_EQ(std::get<2>(ownerOf(target)), 0604u) << "a replaced file keeps its permissions";

    ASSERT_TRUE(writeFileAtomically(target, ""));
    EXPECT_EQ(fileBytes(target), "");

    // Megabytes in pieces of every size come out in order: they are written meanwhile.
    std::string made;
    ASSERT_TRUE(writeFileAtomically(target, [&](const ByteSink& sink) {
        for (size_t i = 0; made.size() < (5u << 20); ++i) {
            const std::string piece((i * 7919) % 300000, static_cast<char>('a' + i % 26));
            made += piece;
            if (!sink(piece)) return false;
        }
        return true;
    }));
    EXPECT_TRUE(fileBytes(target) == made) << "not the bytes made";

    // A producer that gives up or runs out of memory part-way leaves the target alone.
    writeBytes(target, "old");
    const std::string megabyte(1u << 20, 'm');
    const auto threeMegabytes = [&](const ByteSink& sink) {
        return sink(megabyte) && sink(megabyte) && sink(megabyte);
    };
    const Status gaveUp = writeFileAtomically(
        target, [&](const ByteSink& sink) { return threeMegabytes(sink) && false; });
    EXPECT_FALSE(gaveUp);
    EXPECT_EQ(gaveUp.file(), target);
    const Status noMemory = writeFileAtomically(target, [&](const ByteSink& sink) -> bool {
        if (threeMegabytes(sink)) throw std::bad_alloc();
        return false;
    });
    EXPECT_EQ(noMemory.message(), target + ": not enough memory to write it");
    EXPECT_EQ(fileBytes(target), "old");
    EXPECT_EQ(dir.names(), Names{"home.pgr"});
}

TEST(AtomicFile, WritesWhereThePathLeadsAndNeverReplacesALink) {
    ScratchDir dir;
    // A link is written through and stays a link, also to a file still to be made.
    writeBytes(dir.file("real.pgr"), "old");
    ASSERT_EQ(symlink("real.pgr", dir.file("link.pgr").c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(dir.file("link.pgr"), "new"));
    EXPECT_EQ(fileBytes(dir.file("real.pgr")), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.pgr")));
    ASSERT_EQ(symlink("made.pgr", dir.file("ahead.pgr").c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(dir.file("ahead.pgr"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("ahead.pgr")));
    EXPECT_EQ(fileBytes(dir.file("made.pgr")), "new");
    EXPECT_EQ(dir.names(), (Names{"ahead.pgr", "link.pgr", "made.pgr", "real.pgr"}));

    // Links in a loop lead nowhere: a failure that leaves them as they are.
    ASSERT_EQ(symlink("b.pgr", dir.file("a.pgr").c_str()), 0);
    ASSERT_EQ(symlink("a.pgr", dir.file("b.pgr").c_str()), 0);
    EXPECT_EQ(writeFileAtomically(dir.file("a.pgr"), "x").kind(), FailureKind::Write);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("a.pgr")));

    // A descriptor's name ("/dev/stdout" after ">> all.csv") writes through the descriptor:
    // what the file held stays and the export follows it.
    const std::string appended = dir.file("all.csv");
    writeBytes(appended, "l1\n");
    const int fd = open(appended.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    const Status written = writeFileAtomically("/dev/fd/" + std::to_string(fd), "export\n");
    ::close(fd);
    EXPECT_TRUE(written) << written.message();
    EXPECT_EQ(fileBytes(appended), "l1\nexport\n");

    // A pipe nobody reads is a failure at once, not a wait for ever.
    const std::string fifo = dir.file("unread.csv");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(inChild([&] {
                  alarm(20);
                  const Status status = writeFileAtomically(fifo, "x");
                  return status.message() == fifo + ": no program is reading it" ? 0 : 1;
              }),
              0);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(AtomicFile, AFailedSaveLeavesTheTargetAsItWas) {
    constexpr int kNoFile = -1, kDirectory = -2;
    // What fails, the target, its mode (or kNoFile, kDirectory), the folder's mode (0: as
    // made), whether the user nobody saves, and a limit on the file size (0: none).
    const std::tuple<const char*, const char*, int, mode_t, bool, rlim_t> cases[] = {
        {"missing directory", "none/home.pgr", kNoFile, 0, false, 0},
        {"target is a directory", "home.pgr", kDirectory, 0, false, 0},
        {"read-only target", "home.pgr", 0444, 0, false, 0},
        {"unwritable directory, writable target", "home.pgr", 0666, 0755, true, 0},
        {"target owned by someone else", "home.pgr", 0644, 0777, true, 0},
        {"disk full part-way", "home.pgr", 0644, 0, false, 4096},
        {"disk full after megabytes", "home.pgr", 0644, 0, false, 3u << 20},
    };
    for (const auto& [what, name, targetMode, dirMode, nobody, sizeLimit] : cases) {
        SCOPED_TRACE(what);
        ScratchDir dir;
        const std::string target = dir.file(name);
        if (targetMode == kDirectory) std::filesystem::create_directory(target);
        if (targetMode >= 0) {
            writeBytes(target, "the good old file\r\n");
            chmod(target.c_str(), static_cast<mode_t>(targetMode));
        }
        if (dirMode != 0) chmod(dir.path().c_str(), dirMode);
        const Names before = dir.names();
        const std::string bytesBefore = fileBytes(target);
        // Twice what the disk takes: below a megabyte the save writes them itself.
        const std::string newBytes(2 * std::max<size_t>(sizeLimit, 32 * 1024), 'n');
        const int code = inChild([&] {
            if (sizeLimit != 0) {
                signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{sizeLimit, sizeLimit};
                if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 60;
            }
            const auto save = [&] {  // reported, naming the file or the folder that refused
                const Status result = writeFileAtomically(target, newBytes);
                const std::string folder = target.substr(0, target.rfind('/'));
                return result ? 1 : result.file() == target || result.file() == folder ? 0 : 2;
            };
            return nobody ? asNobody(save) : save();
        });
        EXPECT_EQ(code, 0) << "1: reported success, 2: message does not name the file";
        EXPECT_EQ(fileBytes(target), bytesBefore);
        EXPECT_EQ(dir.names(), before) << "no temporary file is left";
    }
}

TEST(AtomicFile, AReplacedFileKeepsItsOwnerGroupAndMode) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to make files of other users";
    constexpr uid_t kAnn = 4343;
    constexpr gid_t kFamily = 4242, kOther = 4545;
    // The owner before, whether nobody saves (else root), the owner after.
    const std::tuple<const char*, Owner, bool, Owner> cases[] = {
        {"root saving a user's private file", {kAnn, kAnn, 0600}, false, {kAnn, kAnn, 0600}},
        {"root keeps odd bits too", {kAnn, kFamily, 02640}, false, {kAnn, kFamily, 02640}},
        {"a group member keeps the shared group",
         {kAnn, kFamily, 0660},
         true,
         {kNobody, kFamily, 0660}},
        {"an outsider cannot keep the group, whose rights shrink to everyone's",
         {kAnn, kOther, 02676},
         true,
         {kNobody, kNobody, 0666}},
        {"nobody's own file", {kNobody, kFamily, 0640}, true, {kNobody, kFamily, 0640}},
    };
    for (const auto& [what, before, nobody, after] : cases) {
        SCOPED_TRACE(what);
        ScratchDir dir;
        chmod(dir.path().c_str(), 0777);
        const std::string target = dir.file("home.pgr");
        writeBytes(target, "old");
        const auto [uid, gid, mode] = before;
        ASSERT_EQ(chown(target.c_str(), uid, gid), 0);
        ASSERT_EQ(chmod(target.c_str(), mode), 0);
        const int code = inChild([&] {
            const auto save = [&] { return writeFileAtomically(target, "new") ? 0 : 1; };
            return nobody ? asNobody(save, {kFamily}) : save();
        });
        EXPECT_EQ(code, 0);
        EXPECT_EQ(fileBytes(target), "new");
        EXPECT_EQ(ownerOf(target), after);
    }
}

TEST(AtomicFile, StreamsAreWrittenInPlaceAndOtherSpecialFilesRefused) {
    ScratchDir dir;
    // The null device, directly and through a link, stays the device. The superuser,
    // who could replace the system's own, uses a copy of it in the scratch folder.
    std::string device = "/dev/null";
    if (geteuid() == 0) {
        device = dir.file("null");
        ASSERT_EQ(mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    ASSERT_EQ(symlink(device.c_str(), dir.file("null.pgr").c_str()), 0);
    for (const std::string& path : {device, dir.file("null.pgr")}) {
        EXPECT_TRUE(writeFileAtomically(path, "gone")) << path;
        EXPECT_TRUE(std::filesystem::is_character_file(device));
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("null.pgr")));

    // A named pipe: the bytes reach its reader and the pipe stays.
    const std::string fifo = dir.file("pipe.csv");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Held open for writing too, so that the reader neither waits for a writer nor stays
    // waiting when the save went elsewhere.
    const int keepOpen = open(fifo.c_str(), O_RDWR);
    std::string received;
    std::thread reader([&] {
        std::ifstream in(fifo, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    });
    const std::string big(300 * 1024, 'x');  // more than a pipe holds at once
    EXPECT_TRUE(writeFileAtomically(fifo, big));
    ::close(keepOpen);
    reader.join();
    EXPECT_EQ(received.size(), big.size());
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    // Standard output as /proc/self/fd/N when the reader has gone: a failure, not SIGPIPE.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ::close(ends[0]);
    const std::string stdoutPath = "/proc/self/fd/" + std::to_string(ends[1]);
    const Status broken = writeFileAtomically(stdoutPath, big);
    ::close(ends[1]);
    EXPECT_EQ(broken.kind(), FailureKind::Write);
    EXPECT_EQ(broken.file(), stdoutPath) << broken.message();

    // A socket is no stream file: refused, and left as it was.
    const std::string socketPath = dir.file("socket.pgr");
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const Status refused = writeFileAtomically(socketPath, "x");
    ::close(sock);
    EXPECT_EQ(refused.message(), socketPath + ": not a regular file");
    EXPECT_TRUE(std::filesystem::is_socket(socketPath));
    Names expected{"null.pgr", "pipe.csv", "socket.pgr"};
    if (device != "/dev/null") expected.insert("null");
    EXPECT_EQ(dir.names(), expected);
}

// Gives a file a modification time `hours` ago.
void ageFile(const std::string& path, int hours) {
    const timespec times[2] = {{0, UTIME_OMIT}, {time(nullptr) - hours * 3600, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

TEST(AtomicFile, ASaveRemovesOnlyItsOwnStaleTemporaryFiles) {
    ScratchDir dir;
    const std::tuple<const char*, int, bool, bool> cases[] = {
        {".quillmate-Ab3xYz", 2, false, true},
        {".quillmate-recent", 0, false, false},  // a save in progress elsewhere
        {".quillmate-AbCdEf", 2, true, false},
        {".quillmate-AbCdE", 2, false, false},
        {".quillmate-Ab-dEf", 2, false, false},
        {".other-Ab3xYz", 2, false, false},
    };
    Names kept{"home.pgr"};
    for (const auto& [name, ageHours, directory, removed] : cases) {
        if (directory)
            std::filesystem::create_directory(dir.file(name));
        else
            writeBytes(dir.file(name), "left over");
        ageFile(dir.file(name), ageHours);
        if (!removed) kept.insert(name);
    }
    ASSERT_TRUE(writeFileAtomically(dir.file("home.pgr"), "new"));
    EXPECT_EQ(dir.names(), kept);
}

TEST(AtomicFile, ASaveKilledHalfWayLeavesTheOldFileAndNoLastingLitter) {
    ScratchDir dir;
    const std::string target = dir.file("home.pgr");
    const std::string old(200 * 1024, 'o');
    writeBytes(target, old);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        (void)writeFileAtomically(target, [&](const ByteSink& sink) {
            if (!sink(std::string(100 * 1024, 'n'))) _exit(1);
            (void)!write(ready[1], "w", 1);
            pause();  // killed here, half-way through the save
            return true;
        });
        _exit(2);
    }
    ::close(ready[1]);
    char signalled = 0;
    ASSERT_EQ(read(ready[0], &signalled, 1), 1);
    ::close(ready[0]);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);

    EXPECT_EQ(fileBytes(target), old);
    // Where the file system has unnamed temporary files, nothing is left; otherwise the
    // next save takes away what is left once it is old.
    for (const std::string& name : dir.names()) {
        if (name == "home.pgr") continue;
        EXPECT_EQ(name.rfind(".quillmate-", 0), 0u) << name;
        ageFile(dir.file(name), 2);
    }
    ASSERT_TRUE(writeFileAtomically(target, "new"));
    EXPECT_EQ(dir.names(), Names{"home.pgr"});
}

}  // namespace
