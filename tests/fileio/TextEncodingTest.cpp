#include "fileio/TextEncoding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fileio/FileBytes.h"

namespace {

TEST(TextEncoding, TellsUtf8FromWindows1252WholeOrUpToTheFirstZeroByte) {
    const std::tuple<std::string, bool> cases[] = {
        {"plain ascii", true},
        {"M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x98\x80", true},
        {"M\xFCller", false},                // Windows-1252 u-umlaut
        {"\xC0\xAF", false},                 // overlong slash
        {"\xF4\x90\x80\x80", false},         // beyond U+10FFFF
        {"\x80", false},                     // lone continuation byte
        {std::string("a\0\xFC", 3), false},  // what follows a zero byte counts too
        {std::string(40, 'a') + "\xE2\x82\xAC" + std::string(9, 'b') + "\xFC", false},
    };
    for (const auto& [bytes, utf8] : cases)
        EXPECT_EQ(isValidUtf8(bytes), utf8) << bytes;

    // The scan for the loader stops at the first zero byte.
    const std::string longAscii(100, 'x');
    const std::tuple<std::string, size_t, bool> scans[] = {
        {"", 0, true},
        {longAscii + std::string("\0\xFC", 2), 100, true},  // what follows does not count
        {longAscii + "\xFC" + std::string("\0", 1) + "z", 101, false},
        {"M\xC3\xBCller" + std::string(20, ' ') + std::string("\0", 1), 27, true},
        {std::string("\xE2\x82\0", 3), 2, false},  // cut short by the zero byte
    };
    for (const auto& [bytes, length, utf8] : scans) {
        const Utf8Scan scan = scanUtf8UpToZero(bytes);
        EXPECT_EQ(std::pair(scan.length, scan.valid), std::pair(length, utf8)) << bytes;
    }
}

TEST(TextEncoding, ScansTextArrivingInPiecesAsTheWholeWherePiecesSplitACharacter) {
    const std::string longAscii(40, 'x');
    const std::string texts[] = {
        longAscii + "M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x98\x80" + longAscii,
        longAscii + "\xF0\x9F\x98" + longAscii,  // a character cut short
        longAscii + "\xE2\x82\xAC" + std::string("\0\xFC", 2) + "\xE2\x82\xAC",
        longAscii + "\xFC" + longAscii + std::string("\0", 1) + longAscii,
        "\x80\x80\x80\x80\x80\x80",
    };
    for (const std::string& text : texts) {
        const Utf8Scan whole = scanUtf8UpToZero(text);
        // Every cut into two and three pieces, as reads of any size would make them.
        for (size_t first = 0; first <= text.size(); ++first) {
            for (size_t second = first; second <= text.size(); second += 3) {
                Utf8Scanner scanner;
                scanner.scanMore(std::string_view(text).substr(0, first));
                scanner.scanMore(std::string_view(text).substr(0, second));
                const Utf8Scan pieces = scanner.finish(text);
                ASSERT_EQ(std::pair(pieces.length, pieces.valid),
                          std::pair(whole.length, whole.valid))
                    << text << " cut at " << first << " and " << second;
            }
        }
    }
}

TEST(TextEncoding, DecodesWindowsTextOnlyWhereTheBytesAreNotUtf8AndDropsTheByteOrderMark) {
    EXPECT_EQ(windows1252ToUtf8("M\xFCller \x80 \x93q\x94 \x81"), "Müller € “q” \u0081");
    EXPECT_EQ(decodeText("\xEF\xBB\xBF"), "");
    EXPECT_EQ(withoutUtf8Bom("\xEF\xBBx"), "\xEF\xBBx");

    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"one stray byte among UTF-8 names", "Müller, Zo\xEB, € 5", "Müller, Zoë, € 5"},
        {"no multi-byte character: wholly Windows-1252", "M\xFCller \x80 \x93q\x94",
         "M\xC3\xBCller \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D"},
        {"a character cut short", "\xE2\x82x \xF0\x9F\x98\x80",
         "\xC3\xA2\xE2\x80\x9Ax \xF0\x9F\x98\x80"},
        {"overlong form and surrogate", "\xC0\xAF\xED\xA0\x80",
         "\xC3\x80\xC2\xAF\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"cut short at the end", "ok \xC3\xBC\xC3", "ok \xC3\xBC\xC3\x83"},
        {"byte-order mark dropped", "\xEF\xBB\xBF\xC3\xBC\xFC", "\xC3\xBC\xC3\xBC"},
    };
    for (const auto& [what, bytes, text] : cases)
        EXPECT_EQ(decodeText(bytes), text) << what;
}

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

TEST(FileBytes, KeepsItsBytesWhenItGrowsMovesOrIsRefusedMore) {
    FileBytes bytes;
    fill(bytes, 100);
    ASSERT_TRUE(bytes.reserve(kUnit + 1));
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_GE(bytes.spareSize(), kUnit + 1 - 100);
    FileBytes moved = std::move(bytes);
    EXPECT_TRUE(bytes.size() == 0 && bytes.view().empty());
    ASSERT_EQ(moved.size(), 100u);
    EXPECT_EQ(moved.releaseBefore(50), 0u) << "a small buffer keeps everything";
    EXPECT_FALSE(moved.reserve(SIZE_MAX - 5));
    EXPECT_EQ(moved.size(), 100u) << "a refused reservation changes nothing";
    EXPECT_EQ(moved.view().substr(0, 3), "abc");
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
