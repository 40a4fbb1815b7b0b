#include "fileio/FileBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr size_t kUnit = FileBytes::kReleaseUnit;

// Fills `bytes` with `size` bytes counting up from 'a' to 'z' and round again.
void fill(FileBytes& bytes, size_t size) {
    ASSERT_TRUE(bytes.reserve(size));
    ASSERT_GE(bytes.spareSize(), size);
    for (size_t i = 0; i < size; ++i)
        bytes.spare()[i] = static_cast<char>('a' + i % 26);
    bytes.grow(size);
}

TEST(FileBytes, HandsBackOnlyWholePiecesBeforeTheOffsetAndKeepsTheRest) {
    FileBytes bytes;
    fill(bytes, 3 * kUnit + 100);
    EXPECT_EQ(bytes.releaseBefore(kUnit - 1), 0u);
    EXPECT_EQ(bytes.releaseBefore(2 * kUnit + 5), 2 * kUnit);
    EXPECT_EQ(bytes.releaseBefore(kUnit), 2 * kUnit) << "what is handed back stays so";
    EXPECT_EQ(bytes.released(), 2 * kUnit);
    const std::string_view kept = bytes.view().substr(2 * kUnit);
    ASSERT_EQ(kept.size(), kUnit + 100);
    for (size_t i = 0; i < kept.size(); ++i)
        ASSERT_EQ(kept[i], static_cast<char>('a' + (2 * kUnit + i) % 26)) << i;
}

TEST(FileBytes, KeepsItsBytesWhenItGrowsAndWhenItMoves) {
    FileBytes bytes;
    fill(bytes, 100);
    ASSERT_TRUE(bytes.reserve(kUnit + 1));
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_GE(bytes.spareSize(), kUnit + 1 - 100);
    FileBytes moved = std::move(bytes);
    EXPECT_EQ(bytes.size(), 0u);
    EXPECT_TRUE(bytes.view().empty());
    ASSERT_EQ(moved.size(), 100u);
    EXPECT_EQ(moved.view().substr(0, 3), "abc");
    EXPECT_EQ(moved.releaseBefore(50), 0u) << "a small buffer keeps everything";
}

TEST(FileBytes, RefusesMoreThanMemoryCanHold) {
    FileBytes bytes;
    fill(bytes, 10);
    EXPECT_FALSE(bytes.reserve(SIZE_MAX - 5));
    EXPECT_EQ(bytes.view(), "abcdefghij") << "a refused reservation changes nothing";
}

}  // namespace
