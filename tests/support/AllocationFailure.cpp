#include "support/AllocationFailure.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool armed = false;
thread_local size_t remaining = 0;
thread_local bool refused = false;

void* allocate(size_t size) {
    if (armed && remaining-- == 0) {
        refused = true;
        armed = false;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void* allocateOrNull(size_t size) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

AllocationFailure::AllocationFailure(size_t allowed) {
    remaining = allowed;
    refused = false;
    armed = true;
}

AllocationFailure::~AllocationFailure() {
    armed = false;
}

bool AllocationFailure::struck() const {
    return refused;
}

// clang-format off
void* operator new(size_t size) { return allocate(size); }
void* operator new[](size_t size) { return allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
// clang-format on
