#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <thread>

#include "cli/HugePageHeap.h"

namespace {

constexpr const char* kProbe = "QUILLMATE_HEAP_PROBE";
constexpr int kNotAdvised = 77;

// In a process of its own, as main() does: whether a block another thread takes comes
// from the advised heap, which grows at the program's break.
int probe() {
    const auto before = reinterpret_cast<uintptr_t>(sbrk(0));
    askForHugePagesForTheHeap();
    const auto after = reinterpret_cast<uintptr_t>(sbrk(0));
    if (after - before < (uintptr_t{256} << 20)) return kNotAdvised;
    void* block = nullptr;
    std::thread([&] { block = std::malloc(1 << 20); }).join();
    const bool inHeap = reinterpret_cast<uintptr_t>(block) < after;
    std::free(block);
    return inHeap ? 0 : 1;
}

// A heap of a thread's own is never given back while the advised heap keeps what it
// takes: Qt's network thread left what it once read ahead held beside the records.
TEST(HugePageHeapTest, OtherThreadsTakeTheirBlocksFromTheAdvisedHeap) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator stands in for the heap";
#endif
    if (std::getenv(kProbe)) _exit(probe());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv(kProbe, "1", 1);
        execl("/proc/self/exe", "cli_tests",
              "--gtest_filter=HugePageHeapTest.OtherThreadsTakeTheirBlocksFromTheAdvisedHeap",
              nullptr);
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kNotAdvised) GTEST_SKIP() << "no huge pages on request here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
