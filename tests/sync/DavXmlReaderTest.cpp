#include <gtest/gtest.h>

#include <string>

#include "support/DavShape.h"
#include "sync/DavXmlReader.h"

namespace {

// What reading the body in these pieces gives: the tree, or the failure with its place.
std::string read(const std::vector<std::string_view>& pieces) {
    DavXmlReader reader;
    for (const std::string_view piece : pieces)
        reader.take(piece);
    DavElement root;
    const Status status = reader.finish(root);
    if (status) return davShape(root);
    if (status.line() == 0) return status.reason();
    return std::to_string(status.line()) + ":" + std::to_string(status.column()) + " " +
           status.reason();
}

// The body cut anywhere, in two pieces or in bytes, reads as the whole body does: where
// the answer is malformed, with the same line and column.
TEST(DavXmlReaderTest, ABodyReadInPiecesReadsAsTheWholeBody) {
    const struct {
        const char* body;
        const char* whole;  // the failure of the whole body; nullptr: it is well-formed
    } rows[] = {
        {"<?xml version='1.0' encoding=\"utf-8\"?>\r\n<!-- c -->\r\n<d:multistatus "
         "xmlns:d=\"DAV:\" xmlns=\"urn:x\">\r\n <d:response a='1&amp;&#65;&#x42;'><d:href>/a "
         "&lt;b&gt;</d:href><card>x]y]]<![CDATA[<&]]>z<!-- - -->&#13;\r\n</card><e/>"
         "</d:response>\r\n</d:multistatus>\r\n<!-- after -->trailing <junk",
         nullptr},
        {"<a\rb:c xmlns:b\r\n = 'u'\r\n/>", nullptr},
        {"", "1:1 the answer is not well-formed XML"},
        {"<d:multistatus xmlns:d=\"DAV:\">\n<d:response>\n  <d:href>x</d:hre>",
         "3:19 the answer is not well-formed XML"},
        {"<a>\r\n\r\rx ]]> </a>", "2:7 the answer is not well-formed XML"},
        {"<a b='&bogus;'/>", "1:14 the answer is not well-formed XML"},
        {"<a><![CDATA[x\x01]]></a>", "1:15 the answer is not well-formed XML"},
        {"<a><!-- x -- y --></a>", "1:14 the answer is not well-formed XML"},
        {"<a><b>text", "1:11 the answer is not well-formed XML"},
        {"<?xml version=\"1.0\" standalone='yes'?><a/>", "1:22 the answer is not well-formed XML"},
        {"<a><x:b/></a>", "the answer uses the unbound XML prefix \"x\""},
        {"<a><x:b/>&", "1:11 the answer is not well-formed XML"},
    };
    for (const auto& row : rows) {
        const std::string body = row.body;
        const std::string whole = read({body});
        if (row.whole)
            EXPECT_EQ(whole, row.whole) << body;
        else
            EXPECT_EQ(whole.find("not well-formed"), std::string::npos) << body << ": " << whole;
        for (size_t cut = 0; cut <= body.size(); ++cut)
            ASSERT_EQ(
                read({std::string_view(body).substr(0, cut), std::string_view(body).substr(cut)}),
                whole)
                << body << " cut at " << cut;
        std::vector<std::string_view> bytes;
        for (size_t i = 0; i < body.size(); ++i)
            bytes.push_back(std::string_view(body).substr(i, 1));
        EXPECT_EQ(read(bytes), whole) << body << " byte by byte";
    }
}

// What the reader holds of the body is a tag at most, however large the texts it reads.
TEST(DavXmlReaderTest, ABodyIsLetGoAsItIsRead) {
    const std::string text(1 << 20, 'x');
    const std::string body =
        "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/a</d:href>"
        "<d:propstat><d:prop><d:getetag>\"1\"</d:getetag><c:data xmlns:c=\"C\">" +
        text +
        "</c:data></d:prop><d:status>HTTP/1.1 200 OK</d:status>"
        "</d:propstat></d:response></d:multistatus>";
    std::vector<std::string_view> pieces;
    for (size_t at = 0; at < body.size(); at += 1000)
        pieces.push_back(std::string_view(body).substr(at, 1000));
    size_t mostHeld = 0;
    DavXmlReader reader;
    for (const std::string_view piece : pieces) {
        reader.take(piece);
        mostHeld = std::max(mostHeld, reader.heldBytes());
    }
    MultiStatus answer;
    ASSERT_TRUE(reader.finish(answer));
    ASSERT_EQ(answer.responses.size(), 1u);
    EXPECT_EQ(answer.responses[0].prop("C", "data")->text, text);
    EXPECT_LT(mostHeld, 100u);
}

}  // namespace
