#include "textio/DelimitedTextDecoding.h"

#include <gtest/gtest.h>

namespace {

TEST(DelimitedTextDecoding, ReadsUtf8Windows1252AndUtf16) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"Ann,Lee\n", "Ann,Lee\n"},
        {"\xEF\xBB\xBF"
         "Caf\xC3\xA9",
         "Caf\xC3\xA9"},
        {"Caf\xE9 \x80", "Caf\xC3\xA9 \xE2\x82\xAC"},
        // Little-endian with "é", "€" and a character beyond the first plane.
        {"\xFF\xFE"
         "A\0,\0\xE9\0\xAC\x20\r\0\n\0\x3D\xD8\x00\xDE"s,
         "A,\xC3\xA9\xE2\x82\xAC\r\n\xF0\x9F\x98\x80"},
        {"\xFE\xFF\0A\0,\0B"s, "A,B"},
        // A lone surrogate and an odd last byte.
        {"\xFF\xFE\x3D\xD8"
         "A\0x"s,
         "\xEF\xBF\xBD"
         "A"},
        {"\xFF\xFE", ""},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(decodeDelimitedText(bytes), text) << bytes;
    }
}

// Old Macintosh programs end lines with a CR alone; CR LF and the CR CR LF of some writers
// stay as they are.
TEST(DelimitedTextDecoding, TakesALoneCrAsALineEnd) {
    const std::pair<std::string, std::string> cases[] = {
        {"Ann,Lee\rBo,Ray\r", "Ann,Lee\nBo,Ray\n"},
        {"Ann,Le\re,Acme\n", "Ann,Le\ne,Acme\n"},
        {"Ann,Lee\r\nBo\r\r\nCy\r\r", "Ann,Lee\r\nBo\r\r\nCy\n\n"},
        {"\"a\rb\"\r\n", "\"a\nb\"\r\n"},
        {"Caf\xE9\r", "Caf\xC3\xA9\n"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(decodeDelimitedText(bytes), text) << bytes;
}

}  // namespace
