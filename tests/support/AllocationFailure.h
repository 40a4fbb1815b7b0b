#pragma once

#include <cstddef>

// Makes one allocation on this thread fail with std::bad_alloc: the one after `allowed`
// more have succeeded, while it lives. That is what running out of memory mostly looks
// like: one large request fails, and the smaller ones that report it succeed. Only a test
// program that links AllocationFailure.cpp, which replaces operator new, has it.
class AllocationFailure {
public:
    explicit AllocationFailure(size_t allowed);
    ~AllocationFailure();
    AllocationFailure(const AllocationFailure&) = delete;
    AllocationFailure& operator=(const AllocationFailure&) = delete;

    // Whether an allocation was refused.
    [[nodiscard]] bool struck() const;
};
