#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "fileio/FileWindow.h"
#include "support/ScratchDir.h"
#include "textio/DelimitedTextDecoding.h"
#include "textio/RecordReader.h"
#include "textio/TransferTestSupport.h"

namespace {

TEST(DelimitedTextDecoding, ReadsUtf8Windows1252AndUtf16AndTakesALoneCrAsALineEnd) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"Ann,Lee\n", "Ann,Lee\n"},
        {"\uFEFFCafé", "Café"},
        {"Caf\xE9 \x80", "Café €"},
        // Little-endian with "é", "€" and a character beyond the first plane.
        {"\xFF\xFE\x41\0,\0\xE9\0\xAC\x20\r\0\n\0\x3D\xD8\x00\xDE"s, "A,é€\r\n😀"},
        {"\xFE\xFF\0A\0,\0B"s, "A,B"},
        // A lone surrogate and an odd last byte.
        {"\xFF\xFE\x3D\xD8\x41\0x"s, "\uFFFDA"},
        {"\xFF\xFE", ""},
        // Old Macintosh programs end lines with a CR alone; CR LF and the CR CR LF of some
        // writers stay as they are.
        {"Ann,Lee\rBo,Ray\r", "Ann,Lee\nBo,Ray\n"},
        {"Ann,Le\re,Acme\n", "Ann,Le\ne,Acme\n"},
        {"Ann,Lee\r\nBo\r\r\nCy\r\r", "Ann,Lee\r\nBo\r\r\nCy\n\n"},
        {"\"a\rb\"\r\n", "\"a\nb\"\r\n"},
        {"Caf\xE9\r", "Café\n"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(decodeDelimitedText(bytes), text) << bytes;
}

using Fields = std::vector<std::string>;

Fields split(std::string_view line, char separator = ',', char encloser = '"') {
    const FieldTokenizer tokenizer = fieldTokenizer(separator, encloser);
    Fields fields;
    std::string field;
    while (tokenizer.NextField(line, field))
        fields.push_back(std::exchange(field, std::string()));
    return fields;
}

TEST(FieldTokenizer, SplitsPlainAndEnclosedFields) {
    struct Case {
        std::string_view line;
        Fields expected;
        char separator = ',', encloser = '"';
    };
    const Case cases[] = {
        {"a,,b", {"a", "", "b"}},
        {"a,b,", {"a", "b"}},
        {"  Ann ,Lee  \r", {"Ann ", "Lee"}},
        {"\"Smith, Ann\",x", {"Smith, Ann", "x"}},
        {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        {"\"line 1\r\nline 2\",x", {"line 1\r\nline 2", "x"}},
        {"   \r", {}},
        // Backslash escapes in enclosed fields.
        {"\"D:\\temp\"", {"D:\temp"}},
        {"\"\\101\"", {"A"}},
        {"\"\\a\\b\\f\\n\\r\\t\\v\\q\\\"\\,\"", {"\a\b\f\n\r\t\vq\","}},
        // A short octal escape takes the next character along as it stands...
        {"\"\\1a\\7\\n\"", {"\1a\7\\n"}},
        // ...but an encloser after it still closes the field.
        {"\"\\1\",x", {"\x01", "x"}},
        // Octal bytes that are no UTF-8 are Windows-1252; UTF-8 bytes stay as they are.
        {"\"caf\\351\",\"caf\\303\\251\"", {"caf\xC3\xA9", "caf\xC3\xA9"}},
        // A zero byte cannot be stored: the escape is dropped.
        {"\"a\\000b\"", {"ab"}},
        {"C:\\temp,x", {"C:\\temp", "x"}},
        // Malformed enclosed fields lose no text.
        {"\"\",x", {"", "x"}},
        {"\"abc", {"abc"}},
        {"\"abc\"def,x", {"abcdef", "x"}},
        {"\"He said \"hi\" twice\",x", {"He said hi\" twice\"", "x"}},
        {"\"a\\", {"a\\"}},
        // Other separators and enclosers; runs of spaces are one separator.
        {"'O''Brien';'x'", {"O'Brien", "x"}, ';', '\''},
        {"\"a\"|\"b|c\"|", {"a", "b|c"}, '|'},
        {"a   b  c", {"a", "b", "c"}, ' '},
        {"a\t\t\"b c\"\t \t", {"a", "", "b c"}, '\t'},
        {"\"a\",b", {"\"a\"", "b"}, ',', 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(split(c.line, c.separator, c.encloser), c.expected) << c.line;
}

TEST(FieldTokenizer, StringFormTakesTheFieldOffTheLine) {
    std::string line = " \"a,b\" , c  ";
    std::string field = "kept:";
    ASSERT_TRUE(fieldTokenizer(',').NextField(line, field));
    EXPECT_EQ(field, "kept:a,b");
    EXPECT_EQ(line, " c");
}

using Records = std::vector<std::pair<size_t, std::string>>;  // first line, text

Records readAll(std::string_view text) {
    const FieldTokenizer tokenizer = fieldTokenizer(',');
    RecordReader reader(text, tokenizer);
    Records records;
    std::string_view record;
    while (reader.next(record))
        records.emplace_back(reader.lineNumber(), std::string(record));
    return records;
}

TEST(RecordReader, CutsLinesAndKeepsEnclosedLineBreaks) {
    const std::pair<const char*, Records> cases[] = {
        {"", {}},
        {"a\nb\n", {{1, "a"}, {2, "b"}}},
        {"a\r\n\r\nb\r\n", {{1, "a\r"}, {2, "\r"}, {3, "b\r"}}},
        {"\"x\r\ny\",z\nnext\n", {{1, "\"x\r\ny\",z"}, {3, "next"}}},
        {"\"a\"\"\nb\"\nc", {{1, "\"a\"\"\nb\""}, {3, "c"}}},
        // A field that never closes ends with its own line; the next lines stay records.
        {"\"unclosed,a\nb,c\n", {{1, "\"unclosed,a"}, {2, "b,c"}}},
        {"a,\"b\nc\",\"open\nd\n", {{1, "a,\"b\nc\",\"open"}, {3, "d"}}},
        {"\"abc\n\"\",x\n", {{1, "\"abc"}, {2, "\"\",x"}}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(readAll(text), expected) << text;
}

// A pseudo-random source the same on every run.
class Random {
public:
    uint32_t below(uint32_t bound) {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % bound;
    }

private:
    uint32_t state_ = 1;
};

TEST(RecordReader, CutsRecordsIntoFieldsAsNextAndNextFieldDo) {
    // Random texts of the characters that matter, for every kind of separator and encloser.
    const std::string alphabet = "ab7,;\"'\\ \t\r\n";
    Random randomness;
    auto random = [&](uint32_t below) { return randomness.below(below); };
    const std::pair<char, char> characters[] = {{',', '"'},  {';', '\''}, {' ', '"'},
                                                {'\t', '"'}, {',', 0},    {'"', ' '}};
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const uint32_t length = random(60);
        for (uint32_t i = 0; i < length; ++i)
            text += alphabet[random(static_cast<uint32_t>(alphabet.size()))];
        const auto [separator, encloser] = characters[random(6)];
        const FieldTokenizer tokenizer = fieldTokenizer(separator, encloser);
        const size_t columns = random(5);
        RecordReader longWay(text, tokenizer), shortWay(text, tokenizer);
        RecordValues fields(columns);
        std::string_view record;
        bool blank = false;
        for (;;) {
            const bool more = longWay.next(record);
            ASSERT_EQ(shortWay.nextFields(fields, blank), more) << text;
            if (!more) break;
            ASSERT_EQ(shortWay.lineNumber(), longWay.lineNumber()) << text;
            ASSERT_EQ(blank, record.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos)
                << text;
            if (blank) continue;
            std::vector<std::string> expected(columns);
            for (std::string& value : expected)
                if (!tokenizer.NextField(record, value)) break;
            ASSERT_EQ(std::vector<std::string>(fields.values.begin(), fields.values.end()),
                      expected)
                << text;
        }
    }
}

// Each record as nextFields cuts it: its line, then its values; "stopped" when a window's
// reader stopped for the whole text.
std::vector<std::string> cutRecords(RecordReader& reader, size_t columns) {
    std::vector<std::string> cut;
    RecordValues fields(columns);
    bool blank = false;
    while (reader.nextFields(fields, blank)) {
        std::string record = std::to_string(reader.lineNumber()) + (blank ? " blank" : "");
        for (const std::string_view value : fields.values)
            record += "|" + std::string(value);
        cut.push_back(record);
    }
    if (reader.needsWholeText()) cut.push_back("stopped");
    return cut;
}

TEST(RecordReader, ReadsAWindowAsTheWholeTextOrStopsForIt) {
    // Random texts whose records, characters and line ends fall across the window's edges.
    const std::string alphabet = "ab,\"\\ \n\n\xC3\xA9\xE9";
    const ScratchDir dir;
    const std::string path = dir.file("in.csv");
    Random random;
    const FieldTokenizer tokenizer = fieldTokenizer(',');
    size_t readThrough = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const uint32_t length = random.below(400);
        for (uint32_t i = 0; i < length; ++i)
            text += alphabet[random.below(static_cast<uint32_t>(alphabet.size()))];
        // Now and then what only the whole text reads right: a lone CR, a zero byte.
        if (random.below(8) == 0)
            text.insert(random.below(length + 1), 1, random.below(2) != 0 ? '\r' : '\0');
        std::ofstream(path, std::ios::binary) << text;
        std::string converted;
        RecordReader whole(decodeDelimitedText(text, converted), tokenizer);
        FileWindow window(64);
        ASSERT_TRUE(window.open(path));
        RecordReader windowed(window, tokenizer, 24);
        const auto expected = cutRecords(whole, 3);
        const auto cut = cutRecords(windowed, 3);
        if (cut.empty() || cut.back() != "stopped") {
            ASSERT_EQ(cut, expected) << text;
            ++readThrough;
        }
    }
    EXPECT_GT(readThrough, 1000u);
}

}  // namespace
