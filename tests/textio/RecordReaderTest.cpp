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
        {"a\nb", {{1, "a"}, {2, "b"}}},
        {"a\r\n\r\nb\r\n", {{1, "a\r"}, {2, "\r"}, {3, "b\r"}}},
        {"\"x\r\ny\",z\nnext\n", {{1, "\"x\r\ny\",z"}, {3, "next"}}},
        {"\"a\"\"\nb\"\nc", {{1, "\"a\"\"\nb\""}, {3, "c"}}},
        {"plain \"quote\nc\n", {{1, "plain \"quote"}, {2, "c"}}},
        // A field that never closes ends with its own line; the next lines stay records.
        {"\"unclosed,a\nb,c\n", {{1, "\"unclosed,a"}, {2, "b,c"}}},
        {"a,\"b\nc\",\"open\nd\n", {{1, "a,\"b\nc\",\"open"}, {3, "d"}}},
        {"\"abc\n\"\",x\n", {{1, "\"abc"}, {2, "\"\",x"}}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(readAll(text), expected) << text;
    }
}

}  // namespace
