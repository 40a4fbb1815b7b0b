#include "sync/DavXml.h"
#include "platform/Translate.h"

#include <map>

#include "docfile/SimpleXMLParser.h"
#include "records/Trimmed.h"

namespace {

using Bindings = std::map<std::string, std::string, std::less<>>;

// Raised for a prefix that no xmlns attribute in scope binds.
struct UnboundPrefix {
    std::string prefix;
};

void resolve(XmlElement& in, Bindings scope, DavElement& out) {
    if (const XmlAttributeList* attributes = in.attributes()) {
        for (const XmlAttribute& attribute : *attributes) {
            if (attribute.name == "xmlns")
                scope[""] = attribute.value;
            else if (attribute.name.starts_with("xmlns:"))
                scope[attribute.name.substr(6)] = attribute.value;
            else
                out.attributes.emplace_back(attribute.name, attribute.value);
        }
    }
    const std::string& qualified = in.name();
    const size_t colon = qualified.find(':');
    const std::string prefix = colon == std::string::npos ? "" : qualified.substr(0, colon);
    const auto bound = scope.find(prefix);
    if (bound == scope.end() && !prefix.empty()) throw UnboundPrefix{prefix};
    out.ns = bound == scope.end() ? "" : bound->second;
    out.name = colon == std::string::npos ? qualified : qualified.substr(colon + 1);
    // Taken rather than copied: an answer's texts may be most of its many megabytes.
    out.text = in.takeText();
    if (const XmlNodeList* children = in.children()) {
        for (const auto& node : *children) {
            auto* element = dynamic_cast<XmlElement*>(node.get());
            if (element == nullptr) continue;
            resolve(*element, scope, out.children.emplace_back());
        }
    }
}

}  // namespace

const DavElement* DavElement::child(std::string_view wantedNs, std::string_view wanted) const {
    for (const DavElement& element : children) {
        if (element.name == wanted && element.ns == wantedNs) return &element;
    }
    return nullptr;
}

std::string DavElement::attribute(std::string_view wanted) const {
    for (const auto& [name, value] : attributes) {
        if (name == wanted) return value;
    }
    return {};
}

std::string DavElement::childText(std::string_view wantedNs, std::string_view wanted) const {
    const DavElement* element = child(wantedNs, wanted);
    return element == nullptr ? std::string() : std::string(trimmed(element->text));
}

Status parseDavXml(std::string_view text, DavElement& root) {
    try {
        SimpleXMLParser parser;
        const std::unique_ptr<XmlElement> tree = parser.parse(text.data(), text.size());
        if (!tree)
            return Status::failure(FailureKind::Syntax, "", _("no XML element in the answer"));
        root = DavElement();
        resolve(*tree, {}, root);
        return {};
    } catch (const SimpleXMLParser::Exception& error) {
        return Status::failure(FailureKind::Syntax, "", _("the answer is not well-formed XML"),
                               error.line, error.column);
    } catch (const UnboundPrefix& unbound) {
        return Status::failure(
            FailureKind::Syntax, "",
            fillIn(_("the answer uses the unbound XML prefix \"%s\""), {unbound.prefix}));
    }
}

const DavElement* DavResponse::prop(std::string_view wantedNs, std::string_view wanted) const {
    for (const DavElement& element : props) {
        if (element.name == wanted && element.ns == wantedNs) return &element;
    }
    return nullptr;
}

std::string DavResponse::propText(std::string_view wantedNs, std::string_view wanted) const {
    const DavElement* element = prop(wantedNs, wanted);
    return element == nullptr ? std::string() : std::string(trimmed(element->text));
}

int statusCodeOf(std::string_view line) {
    const size_t space = line.find(' ');
    if (space == std::string_view::npos || space + 4 > line.size()) return 0;
    int code = 0;
    for (size_t i = space + 1; i < space + 4; ++i) {
        if (line[i] < '0' || line[i] > '9') return 0;
        code = code * 10 + (line[i] - '0');
    }
    return code;
}

Status parseMultiStatus(std::string_view body, MultiStatus& out) {
    DavElement root;
    if (Status parsed = parseDavXml(body, root); !parsed) return parsed;
    if (root.ns != kDav || root.name != "multistatus")
        return Status::failure(FailureKind::Content, "",
                               fillIn(_("the answer is not a multistatus but <%s>"), {root.name}));
    out = MultiStatus();
    out.syncToken = root.childText(kDav, "sync-token");
    for (DavElement& element : root.children) {
        if (element.ns != kDav || element.name != "response") continue;
        DavResponse& response = out.responses.emplace_back();
        response.href = element.childText(kDav, "href");
        if (response.href.empty())
            return Status::failure(FailureKind::Content, "",
                                   _("a response of the answer has no href"));
        if (const DavElement* status = element.child(kDav, "status"))
            response.status = statusCodeOf(trimmed(status->text));
        for (DavElement& propstat : element.children) {
            if (propstat.ns != kDav || propstat.name != "propstat") continue;
            const int code = statusCodeOf(propstat.childText(kDav, "status"));
            DavElement* prop = nullptr;
            for (DavElement& part : propstat.children) {
                if (part.ns == kDav && part.name == "prop") prop = &part;
            }
            if (prop == nullptr || code < 200 || code > 299) continue;
            for (DavElement& found : prop->children)
                response.props.push_back(std::move(found));
        }
    }
    return {};
}

std::string xmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}
