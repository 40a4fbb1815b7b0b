#include "textio/FieldTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

Fields split(std::string_view line, char separator, char encloser) {
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

struct Case {
    const char* line;
    char separator;
    char encloser;
    Fields expected;
};

TEST(FieldTokenizer, SplitsPlainAndEnclosedFields) {
    const Case cases[] = {
        {"a,,b", ',', '"', {"a", "", "b"}},
        {",b", ',', '"', {"", "b"}},
        {"a,b,", ',', '"', {"a", "b"}},
        {"  Ann ,Lee  \r", ',', '"', {"Ann ", "Lee"}},
        {"\"Smith, Ann\",x", ',', '"', {"Smith, Ann", "x"}},
        {"\"say \"\"hi\"\"\",x", ',', '"', {"say \"hi\"", "x"}},
        {"'O''Brien';'x'", ';', '\'', {"O'Brien", "x"}},
        {"\"a\"|\"b|c\"|", '|', '"', {"a", "b|c"}},
        {"a   b  c", ' ', '"', {"a", "b", "c"}},
        {"a\t\t\"b c\"\t \t", '\t', '"', {"a", "", "b c"}},
        {"\t b \tc", '\t', '"', {"", "b ", "c"}},
        {"\"a\",b", ',', 0, {"\"a\"", "b"}},
        {"\"line 1\r\nline 2\",x", ',', '"', {"line 1\r\nline 2", "x"}},
        {"   \r", ',', '"', {}},
        {"", ',', '"', {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(split(c.line, c.separator, c.encloser), c.expected) << c.line;
    }
}

TEST(FieldTokenizer, ReadsBackslashEscapesInEnclosedFields) {
    const Case cases[] = {
        {"\"D:\\temp\"", ',', '"', {"D:\temp"}},
        {"\"a\\\\b\"", ',', '"', {"a\\b"}},
        {"\"\\101\"", ',', '"', {"A"}},
        {"\"\\a\\b\\f\\n\\r\\t\\v\\q\\\"\\,\"",
         ',',
         '"',
         {
             "\a\b\f\n\r\t\vq\",",
         }},
        {"\"\\12\"", ',', '"', {"\n"}},
        // A short octal escape takes the next character along as it stands...
        {"\"\\1a\\7\\n\"",
         ',',
         '"',
         {"\x01"
          "a\x07\\n"}},
        // ...but an encloser after it still closes the field.
        {"\"\\1\",x", ',', '"', {"\x01", "x"}},
        // Octal bytes that are no UTF-8 are Windows-1252; UTF-8 bytes stay as they are.
        {"\"caf\\351\",\"caf\\303\\251\"", ',', '"', {"caf\xC3\xA9", "caf\xC3\xA9"}},
        // A zero byte cannot be stored: the escape is dropped.
        {"\"a\\000b\"", ',', '"', {"ab"}},
        // Backslashes in plain fields are text.
        {"C:\\temp,x", ',', '"', {"C:\\temp", "x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(split(c.line, c.separator, c.encloser), c.expected) << c.line;
    }
}

TEST(FieldTokenizer, ReadsMalformedEnclosedFieldsWithoutLosingText) {
    const Case cases[] = {
        // An empty enclosed field is empty, and the next field is read as usual.
        {"\"\",x", ',', '"', {"", "x"}},
        // No closing encloser: the field runs to the end, last character included.
        {"\"abc", ',', '"', {"abc"}},
        // Text after the closing encloser belongs to the field; blanks there do not.
        {"\"abc\"def,x", ',', '"', {"abcdef", "x"}},
        {"\"abc\"  ,x", ',', '"', {"abc", "x"}},
        {"\"He said \"hi\" twice\",x", ',', '"', {"He said hi\" twice\"", "x"}},
        // A backslash as the last character is kept.
        {"\"a\\", ',', '"', {"a\\"}},
        {"\"\\", ',', '"', {"\\"}},
        {"\"", ',', '"', {""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(split(c.line, c.separator, c.encloser), c.expected) << c.line;
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
    field.clear();
    ASSERT_TRUE(tokenizer.NextField(line, field));
    EXPECT_EQ(field, "c");
    field = "unchanged";
    EXPECT_FALSE(tokenizer.NextField(line, field));
    EXPECT_EQ(field, "unchanged");
}

}  // namespace
