#include "cli/HugePageHeap.h"

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
// The address space the heap takes in one step; only what is used of it becomes memory.
// Documents whose records need more go on in the usual small steps, without the advice.
constexpr int kReserve = 512 << 20;
// How much the heap grows by beyond what it needs, as glibc has it.
constexpr int kUsualTopPad = 128 << 10;
// The largest block glibc lets the heap serve itself rather than map on its own.
constexpr int kLargestHeapBlock = 32 << 20;

// Whether the process may use only so much address space or heap: the reserve would take
// half a gigabyte of it from the libraries and records still to come, and turn a command
// that fits into one that fails.
bool addressSpaceLimited() {
    for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
        struct rlimit limit {};
        if (getrlimit(resource, &limit) != 0 || limit.rlim_cur != RLIM_INFINITY) return true;
    }
    return false;
}

// The first line of a file, "" when there is none.
std::string firstLine(const char* path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

}  // namespace

void askForHugePagesForTheHeap() {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    // Only where huge pages come on request; not where the system counts address space as
    // memory promised (strict overcommit), where the reserve would be taken from every other
    // program while this one runs; and not under a limit of address space or heap.
    if (firstLine("/sys/kernel/mm/transparent_hugepage/enabled").find("[madvise]") ==
            std::string::npos ||
        firstLine("/proc/sys/vm/overcommit_memory") == "2" || addressSpaceLimited())
        return;
    // The heap serves blocks up to 32 MB itself, and keeps what it takes: memory given
    // back and taken again would come without the advice.
    // Other threads (Qt's network thread) take their blocks from it too: a heap of their own
    // would keep the most it ever held, never given back, beside this one.
    if (mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock) == 0 ||
        mallopt(M_TRIM_THRESHOLD, 2 * kReserve) == 0 || mallopt(M_TOP_PAD, kReserve) == 0 ||
        mallopt(M_ARENA_MAX, 1) == 0)
        return;
    // A block larger than the free end of the heap makes it grow now, by the reserve; later
    // growth takes the usual steps again.
    const auto before = reinterpret_cast<uintptr_t>(sbrk(0));
    void* const block = malloc(mallinfo2().keepcost + 64);
    const auto after = reinterpret_cast<uintptr_t>(sbrk(0));
    free(block);
    (void)mallopt(M_TOP_PAD, kUsualTopPad);
    // Only what the heap grew by is advised; anything else (the heap grown elsewhere,
    // another allocator) is left alone.
    const uintptr_t start = (before + kHugePage - 1) / kHugePage * kHugePage;
    const uintptr_t end = after / kHugePage * kHugePage;
    if (block == nullptr || after <= before || end <= start) return;
    (void)madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#endif
}
