// What a WebDAV server answers, read as the sync engine reads it: the bytes as one multistatus
// body, each response's href resolved against the collection and its properties read. The
// body read as it arrives, in two pieces cut where its first byte says, must read as the
// whole body does, and take and refuse what the document reader's XML rules do, at the same
// place. Then
// the same bytes cut at "\n\n--\n\n" into the answers of a whole discovery, in the order it
// asks. An answer's first byte picks its status: 'R' a redirect to the address the rest
// names, 'E' an error, anything else a 207 with the whole answer as its body.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "docfile/SimpleXMLParser.h"
#include "platform/HttpTransport.h"
#include "support/DavShape.h"
#include "sync/DavClient.h"
#include "sync/DavXml.h"
#include "sync/DavXmlReader.h"
#include "sync/Discovery.h"

namespace {

constexpr std::string_view kBase = "http://dav.test:8080/alice/contacts/";
constexpr std::string_view kCut = "\n\n--\n\n";

// Serves the answers in turn, then errors.
class ScriptedServer : public HttpTransport {
public:
    explicit ScriptedServer(std::vector<std::string_view> answers) : answers_(std::move(answers)) {}

    HttpResponse send(const HttpRequest& request) override {
        // Always absolute: a request elsewhere goes to whatever the transport makes of it.
        if (request.url.find("://") == std::string::npos) {
            std::fprintf(stderr, "%s to \"%s\"\n", request.method.c_str(), request.url.c_str());
            std::abort();
        }
        if (next_ == answers_.size()) return {0, {}, {}, "connection refused", {}};
        const std::string_view answer = answers_[next_++];
        if (answer.starts_with("R"))
            return {301, {{"Location", std::string(answer.substr(1))}}, {}, {}, {}};
        if (answer.starts_with("E")) return {500, {}, std::string(answer.substr(1)), {}, {}};
        return {207, {}, std::string(answer), {}, {}};
    }

private:
    std::vector<std::string_view> answers_;
    size_t next_ = 0;
};

// Whether the document reader's element holds what the answer's does: names, attributes
// other than namespace bindings, texts and child elements.
bool same(const XmlElement& tree, const DavElement& element) {
    const std::string& name = tree.name();
    if (name.substr(name.find(':') + 1) != element.name || tree.text() != element.text)
        return false;
    size_t attributes = 0;
    if (const XmlAttributeList* all = tree.attributes()) {
        for (const XmlAttribute& attribute : *all) {
            if (attribute.name == "xmlns" || attribute.name.starts_with("xmlns:")) continue;
            if (attributes == element.attributes.size() ||
                element.attributes[attributes].first != attribute.name ||
                element.attributes[attributes].second != attribute.value)
                return false;
            ++attributes;
        }
    }
    if (attributes != element.attributes.size()) return false;
    size_t children = 0;
    if (const XmlNodeList* nodes = tree.children()) {
        for (const auto& node : *nodes) {
            const auto* child = dynamic_cast<const XmlElement*>(node.get());
            if (child == nullptr) continue;
            if (children == element.children.size() || !same(*child, element.children[children]))
                return false;
            ++children;
        }
    }
    return children == element.children.size();
}

void readInPieces(std::string_view body) {
    DavElement whole;
    const Status wholeRead = parseDavXml(body, whole);
    const size_t cut = body.empty() ? 0 : static_cast<unsigned char>(body[0]) % (body.size() + 1);
    DavXmlReader reader;
    reader.take(body.substr(0, cut));
    reader.take(body.substr(cut));
    DavElement pieces;
    const Status piecesRead = reader.finish(pieces);
    if (piecesRead.message() != wholeRead.message()) std::abort();
    if (wholeRead && davShape(whole) != davShape(pieces)) std::abort();

    std::unique_ptr<XmlElement> tree;
    try {
        tree = SimpleXMLParser().parse(body.data(), body.size());
    } catch (const SimpleXMLParser::Exception& error) {
        if (wholeRead.kind() != FailureKind::Syntax || wholeRead.line() != error.line ||
            wholeRead.column() != error.column)
            std::abort();
        return;
    }
    if (wholeRead.line() != 0 || (wholeRead && !same(*tree, whole))) std::abort();
}

void readAnswer(std::string_view body) {
    readInPieces(body);
    MultiStatus answer;
    if (!parseMultiStatus(body, answer)) return;
    for (const DavResponse& response : answer.responses) {
        if (response.href.empty()) std::abort();
        const std::string url = DavClient::resolve(kBase, response.href);
        (void)DavClient::originOf(url);
        (void)DavClient::folderOf(url);
        (void)response.propText(kDav, "getetag");
        if (const DavElement* type = response.prop(kDav, "resourcetype"))
            (void)type->has(kDav, "collection");
        (void)response.prop(kCardDav, "address-data");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readAnswer(bytes);

    std::vector<std::string_view> answers;
    for (std::string_view rest = bytes;;) {
        const size_t cut = rest.find(kCut);
        answers.push_back(rest.substr(0, cut));
        if (cut == std::string_view::npos) break;
        rest.remove_prefix(cut + kCut.size());
    }
    ScriptedServer server(std::move(answers));
    DavClient dav(server, false);
    DavAccount account;
    if (!discoverAccount(dav, "http://dav.test:8080/", account)) return 0;
    for (const bool addressBook : {true, false}) {
        std::string url;
        bool made = false;
        (void)chooseCollection(dav, account, addressBook, "", url, made);
    }
    return 0;
}
