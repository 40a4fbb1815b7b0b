#include "docfile/SimpleXMLParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "docfile/XmlTokenizer.h"

namespace {

// A compact picture of a tree: name[attributes]"text"(children).
std::string dump(const XmlNode& node) {
    std::string out = node.name();
    if (const auto* attributes = node.attributes()) {
        out += '[';
        for (const auto& attribute : *attributes)
            out += (out.back() == '[' ? "" : ",") + attribute.name + "=" + attribute.value;
        out += ']';
    }
    if (!node.text().empty()) out += "\"" + node.text() + "\"";
    if (const auto* children = node.children()) {
        out += '(';
        for (const auto& child : *children)
            out += (out.back() == '(' ? "" : ",") + dump(*child);
        out += ')';
    }
    return out;
}

std::string parseAndDump(const std::string& text) {
    SimpleXMLParser parser;
    // An exactly sized copy, so that reading past the end is caught by the sanitizers.
    const std::vector<char> bytes(text.begin(), text.end());
    return dump(*parser.parse(bytes.data(), bytes.size()));
}

TEST(SimpleXMLParser, ReadsWellFormedTexts) {
    const std::pair<const char*, std::string> cases[] = {
        {"<a/>", "a"},
        {"<?xml version='1.0'?><a/>", "a"},
        {"<?xml version = \"1.0\" encoding = \"UTF-8\" ?>\r\n<a/>", "a"},
        {"<a x='1' x='2'/>", "a[x=1,x=2]"},
        {"<a t='&lt;&#65;&#x42;'/>", "a[t=<AB]"},
        {"<a t='&amp;&apos;&quot;&gt;' u=\"it's\"/>", "a[t=&'\">,u=it's]"},
        {"<a t='&#256;&#x141;'/>", std::string("a[t=\0A]", 7)},
        {"<a>x<!--c-->y<b/>z</a>", "a\"xyz\"(!\"c\",b)"},
        {"<a><![CDATA[<&>]]></a>", "a\"<&>\""},
        {"<a/>garbage", "a"},
        {"<!-- before --> <a></a ><!-- after -->", "a"},
        {"<a t='one\r\ntwo'/>", "a[t=one\r\ntwo]"},
        {"<a>\r\n\t<b k='v'>in</b>\r\n</a>", "a\"\r\n\t\r\n\"(b[k=v]\"in\")"},
        {"<a\r\n  x = 'y'\r\n/>", "a[x=y]"},
        // Names of every kind of name byte and of every length, the short ones looked at
        // sixteen bytes at a time.
        {"<a b.c-d:e_f9='1' abcdefghijklmnopq='2' x='3' Z0=\"4\"></a>",
         "a[b.c-d:e_f9=1,abcdefghijklmnopq=2,x=3,Z0=4]"},
        // Decimal references of any length keep their low eight bits.
        {"<a t='&#0065;&#300;&#10;&amp;'/>", "a[t=A,\n&]"},
    };
    for (const auto& [input, tree] : cases)
        EXPECT_EQ(parseAndDump(input), tree) << input;
}

TEST(SimpleXMLParser, ReportsWhereBrokenTextsFail) {
    const std::tuple<std::string, int, int> cases[] = {
        // text, line, column (0: unchecked)
        {"", 1, 1},                                            // no root element
        {"   \r\n  ", 2, 3},                                   // no root element
        {" <?xml version='1.0'?><a/>", 1, 0},                  // declaration not at the start
        {"<?xml?><a/>", 1, 0},                                 // no version
        {"<?xml version='1.0\"?><a/>", 1, 0},                  // mismatched quotes
        {"<?xml version='1.0' standalone='yes'?><a/>", 1, 0},  // something else before ?>
        {"<a x='1'y='2'/>", 1, 10},                            // no white space between
        {"<a x/>", 1, 0},                                      // name without value
        {"<a x='<'/>", 1, 8},                                  // < inside a value
        {"<a x='abc", 1, 10},                                  // end inside a value
        {"<a t='&#X42;'/>", 1, 0},                             // upper-case X
        {"<a t='&nbsp;'/>", 1, 0},                             // unknown entity
        {"<a>&#;</a>", 1, 0},                                  // no digit
        {"<a>&amp</a>", 1, 0},                                 // no semicolon
        {"<a>1 ]]> 2</a>", 1, 9},                              // ]]> in character data
        {"<a></b>", 1, 7},                                     // wrong end tag
        {"<a/ >", 1, 0},                                       // / without >
        {"<a>text", 1, 8},                                     // end inside content
        {"<a><!-- x -- y --></a>", 1, 0},                      // -- inside a comment
        {"<a><!-- open", 1, 0},                                // end inside a comment
        {"<a><![CDATA[x\x01]]></a>", 1, 0},                    // control byte in CDATA
        {"<a><!DOCTYPE x></a>", 1, 0},                         // <! that is no comment
        {"<a><?pi?></a>", 1, 0},                               // processing instruction
        {"<1a/>", 1, 0},                                       // bad name start
        {std::string("<a>\0</a>", 8), 1, 0},                   // a zero byte ends the text
        {"<a>\r\n\r\n</c></a>", 3, 4},                         // CR LF counts one line
        {"<?xml version='1.0'?>\r\n<Pim>\r\n\t<x y='1\r\n2'>\r\n&bad;</x></Pim>", 5, 0},
        {"<a\n", 2, 1},  // end inside a start tag
        // Bytes next to the ranges of name bytes end a name.
        {"<a x/=\"1\" more=\"to come\"/>", 1, 0},
        {"<a x@=\"1\" more=\"to come\"/>", 1, 0},
        {"<a x[=\"1\" more=\"to come\"/>", 1, 0},
        {"<a x`=\"1\" more=\"to come\"/>", 1, 0},
        {"<a x{=\"1\" more=\"to come\"/>", 1, 0},
        {"<a x,=\"1\" more=\"to come\"/>", 1, 0},
        {"<a x\xC3\xA9=\"1\" more=\"to come\"/>", 1, 0},
        {"<a t='&amp;&bad;'/>", 1, 0},      // a plain reference, then an unknown one
        {"<a t='&amp;\r\n&#1x;'/>", 2, 0},  // then one that does not end
        {"<a t='&amp;<'/>", 1, 13},         // then a <
    };
    for (const auto& [input, line, column] : cases) {
        SCOPED_TRACE(testing::Message() << '"' << input << '"');
        SimpleXMLParser parser;
        const std::vector<char> bytes(input.begin(), input.end());
        try {
            (void)parser.parse(bytes.data(), bytes.size());
            ADD_FAILURE() << "parsed";
        } catch (const SimpleXMLParser::Exception& e) {
            EXPECT_EQ(e.line, line);
            EXPECT_TRUE(column == 0 || e.column == column) << "column " << e.column;
        }
    }
}

TEST(SimpleXMLParser, LimitsNestingDepthAndParsesOrThrowsOnEveryPrefixOfADocument) {
    const auto nested = [](size_t depth) {
        std::string text;
        for (size_t i = 0; i < 2 * depth; ++i)
            text += i < depth ? "<e>" : "</e>";
        return text;
    };
    SimpleXMLParser parser;
    const std::string deepest = nested(XmlTokenizer::kMaxDepth);
    EXPECT_NO_THROW((void)parser.parse(deepest.data(), deepest.size()));
    const std::string tooDeep = nested(200000);
    EXPECT_THROW((void)parser.parse(tooDeep.data(), tooDeep.size()), SimpleXMLParser::Exception);

    // No cut may crash the reader or make it read past the end of its input.
    const std::string text =
        "<?xml version=\"1.0\" encoding='x'?>\r\n<!--c--><Pim Version=\"16\">\r\n\t<T a='&amp;&#65;"
        "&#x4a;' b=\"x\r\ny\"/>\r\n<![CDATA[]x]]>te&lt;xt<!-- - --></Pim>\r\n";
    for (size_t length = 0; length <= text.size(); ++length) {
        const std::vector<char> bytes(text.begin(), text.begin() + static_cast<long>(length));
        SimpleXMLParser parser;
        try {
            (void)parser.parse(bytes.data(), bytes.size());
            EXPECT_GE(length, text.size() - 2) << "only the whole root parses";
        } catch (const SimpleXMLParser::Exception& e) {
            EXPECT_GE(e.line, 1);
        }
    }
}

}  // namespace
