#include "sync/DavXml.h"
#include "platform/Translate.h"

#include <utility>

#include "records/Trimmed.h"
#include "sync/DavXmlReader.h"

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
    DavXmlReader reader;
    reader.take(text);
    return reader.finish(root);
}

const DavElement* DavResponse::prop(std::string_view wantedNs, std::string_view wanted) const {
    for (const DavElement& element : props) {
        if (element.name == wanted && element.ns == wantedNs) return &element;
    }
    return nullptr;
}

DavElement* DavResponse::prop(std::string_view wantedNs, std::string_view wanted) {
    return const_cast<DavElement*>(std::as_const(*this).prop(wantedNs, wanted));
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
    DavXmlReader reader;
    reader.take(body);
    return reader.finish(out);
}

Status takeMultiStatus(DavElement& root, MultiStatus& out) {
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
