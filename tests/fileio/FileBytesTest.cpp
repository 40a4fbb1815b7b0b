#include "fileio/FileBytes.h"

#include "fileio/TextEncoding.h"

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

TEST(FileBytes, ConvertsToUtf8APieceAtATimeAsTheWholeTextWouldBe) {
    // A character and a character cut short each across the end of a piece (two units).
    std::string text(5 * kUnit, 'a');
    text.replace(100, 1, "\xFC");
    text.replace(2 * kUnit - 2, 4, "\xF0\x9F\x98\x80");
    text.replace(4 * kUnit - 1, 2, "\xE2\x82");
    FileBytes bytes;
    ASSERT_TRUE(bytes.reserve(text.size() + 3));
    std::memcpy(bytes.spare(), "<<<", 3);
    std::memcpy(bytes.spare() + 3, text.data(), text.size());
    bytes.grow(text.size() + 3);
    ASSERT_TRUE(convertToUtf8(bytes, 3, text.size()));
    EXPECT_EQ(bytes.released(), 0u);
    EXPECT_TRUE(bytes.view() == utf8WithWindows1252Fallback(text));
}

}  // namespace
