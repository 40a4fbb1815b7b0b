#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/HttpTransport.h"
#include "platform/Status.h"
#include "sync/DavXml.h"
#include "sync/XmlPushParser.h"

// Reads an XML answer as its body arrives, a piece at a time, into a DavElement tree with
// each element's namespace resolved: the body's bytes are let go as they are read, so that
// a large answer is held once, as the texts it holds.
class DavXmlReader : public HttpBodySink, private XmlPushHandler {
public:
    DavXmlReader() : parser_(*this) {}

    // The next piece of the body.
    void take(std::string_view piece) override { parser_.feed(piece); }
    // How many bytes of the body so far are held back unread (a tag cut by a piece's end).
    [[nodiscard]] size_t heldBytes() const { return parser_.heldBytes(); }
    // The body is whole: its tree in `root`, else a Syntax failure with line and column when
    // it is not well-formed, or uses a prefix no namespace is bound to.
    [[nodiscard]] Status finish(DavElement& root);
    // The body is whole and must be a multistatus; see parseMultiStatus.
    [[nodiscard]] Status finish(MultiStatus& out);

private:
    void startTag(std::string_view qualified, Attributes& attributes) override;
    void text(std::string_view run) override;
    void endTag() override;

    XmlPushParser parser_;
    DavElement root_;
    bool started_ = false;
    std::vector<DavElement*> open_;
    // The namespaces in scope, innermost last, and how many each open element found.
    std::vector<std::pair<std::string, std::string>> scope_;
    std::vector<size_t> scopeSizes_;
    std::string unbound_;  // the first prefix no namespace was bound to
    // The runs of long texts not joined yet, by the depth of their element.
    std::vector<std::pair<size_t, std::string>> runs_;
};
