#include "textio/FieldTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

Fields split(std::string_view line, char separator = ',', char encloser = '"') {
    FieldTokenizer tokenizer;
    tokenizer.SetSeparator(separator);
    tokenizer.SetEncloser(encloser);
    Fields fields;
    std::string field;
    while (tokenizer.NextField(line, field)) {
        fields.push_back(field);
        field.clear();
    }
    return fields;
}

TEST(FieldTokenizer, SplitsPlainAndEnclosedFields) {
    const std::pair<std::string_view, Fields> cases[] = {
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
        {"\"\\1a\\7\\n\"",
         {"\x01"
          "a\x07\\n"}},
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
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(split(line), expected) << line;
    }
}

TEST(FieldTokenizer, OtherSeparatorsAndEnclosers) {
    const std::tuple<std::string_view, char, char, Fields> cases[] = {
        {"'O''Brien';'x'", ';', '\'', {"O'Brien", "x"}},
        {"\"a\"|\"b|c\"|", '|', '"', {"a", "b|c"}},
        {"a   b  c", ' ', '"', {"a", "b", "c"}},
        {"a\t\t\"b c\"\t \t", '\t', '"', {"a", "", "b c"}},
        {"\"a\",b", ',', 0, {"\"a\"", "b"}},
    };
    for (const auto& [line, separator, encloser, expected] : cases) {
        EXPECT_EQ(split(line, separator, encloser), expected) << line;
    }
}

TEST(FieldTokenizer, StringFormTakesTheFieldOffTheLine) {
    FieldTokenizer tokenizer;
    tokenizer.SetSeparator(',');
    tokenizer.SetEncloser('"');
    std::string line = " \"a,b\" , c  ";
    std::string field = "kept:";
    ASSERT_TRUE(tokenizer.NextField(line, field));
    EXPECT_EQ(field, "kept:a,b");
    EXPECT_EQ(line, " c");
}

}  // namespace
