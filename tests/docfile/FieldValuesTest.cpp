#include "docfile/FieldValues.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(FieldValues, ReadsNumbersAsAtolDoes) {
    const std::pair<const char*, int64_t> cases[] = {
        {"42", 42},
        {" \t\n\v\f\r-17x", -17},
        {"", 0},
        {"- 5", 0},
        {"0x10", 0},
        {"9223372036854775807", std::numeric_limits<int64_t>::max()},
        {"18446744075409551616", std::numeric_limits<int64_t>::max()},  // 2^64 + 1.7e9
        {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
        {"-99999999999999999999999", std::numeric_limits<int64_t>::min()},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(readLong(text), value) << '"' << text << '"';
    EXPECT_EQ(readInt("4294967297"), 1) << "the low 32 bits, as a 32-bit field keeps them";
    EXPECT_EQ(readInt("-1"), -1);
}

TEST(FieldValues, ReadsEveryRunOfCarriageReturnsBeforeALineFeedAsOneLineBreak) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\r\r\nb", "a\r\nb"},
        {"a\r\r\r\r\nb\r\r\nc", "a\r\nb\r\nc"},
        {"a\rb\r", "a\rb\r"},
        {"\r\r", "\r\r"},
        // A long run without a line feed, which a rescan from every CR would take minutes on.
        {std::string(200000, '\r') + "x", std::string(200000, '\r') + "x"},
    };
    for (const auto& [value, field] : cases) {
        std::string stored = "old";
        readText(stored, value);
        EXPECT_EQ(stored, field);
    }
}

}  // namespace
