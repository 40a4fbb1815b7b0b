#include "textio/RecordReader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Records = std::vector<std::pair<size_t, std::string>>;  // first line, text

Records readAll(std::string_view text) {
    FieldTokenizer tokenizer;
    tokenizer.SetSeparator(',');
    tokenizer.SetEncloser('"');
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
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(readAll(text), expected) << text;
    }
}

TEST(RecordReader, CutsRecordsIntoFieldsAsNextAndNextFieldDo) {
    // Random texts of the characters that matter, for every kind of separator and encloser.
    const std::string alphabet = "ab7,;\"'\\ \t\r\n";
    uint32_t state = 1;
    auto random = [&](uint32_t below) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % below;
    };
    const std::pair<char, char> characters[] = {{',', '"'},  {';', '\''}, {' ', '"'},
                                                {'\t', '"'}, {',', 0},    {'"', ' '}};
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const uint32_t length = random(60);
        for (uint32_t i = 0; i < length; ++i)
            text += alphabet[random(static_cast<uint32_t>(alphabet.size()))];
        const auto [separator, encloser] = characters[random(6)];
        FieldTokenizer tokenizer;
        tokenizer.SetSeparator(separator);
        tokenizer.SetEncloser(encloser);
        const size_t columns = random(5);
        RecordReader longWay(text, tokenizer);
        RecordReader shortWay(text, tokenizer);
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
            for (std::string& value : expected) {
                if (!tokenizer.NextField(record, value)) break;
            }
            ASSERT_EQ(std::vector<std::string>(fields.values.begin(), fields.values.end()),
                      expected)
                << text;
        }
    }
}

}  // namespace
