#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Status.h"

// The XML namespaces of WebDAV and its calendar and address-book extensions.
inline constexpr std::string_view kDav = "DAV:";
inline constexpr std::string_view kCardDav = "urn:ietf:params:xml:ns:carddav";
inline constexpr std::string_view kCalDav = "urn:ietf:params:xml:ns:caldav";

// An element with its namespace resolved from the prefixes in scope.
struct DavElement {
    std::string ns;                                               // the namespace URI, "" for none
    std::string name;                                             // the local name
    std::string text;                                             // its own character data
    std::vector<std::pair<std::string, std::string>> attributes;  // as written, by name
    std::vector<DavElement> children;

    // The first child of that namespace and name, or nullptr.
    [[nodiscard]] const DavElement* child(std::string_view ns, std::string_view name) const;
    // Whether a child of that namespace and name is there.
    [[nodiscard]] bool has(std::string_view ns, std::string_view name) const {
        return child(ns, name) != nullptr;
    }
    // The value of the attribute of that name; "" for none.
    [[nodiscard]] std::string attribute(std::string_view name) const;
    // The text of the child of that name, without surrounding blanks; "" for none.
    [[nodiscard]] std::string childText(std::string_view ns, std::string_view name) const;
};

// Reads an XML answer into `root`; a Syntax failure with line and column when it is not
// well-formed, or uses a prefix no namespace is bound to.
[[nodiscard]] Status parseDavXml(std::string_view text, DavElement& root);

// One resource of a multistatus answer.
struct DavResponse {
    std::string href;               // percent-encoded, as the server wrote it
    int status = 200;               // the response's own status (404: the resource went)
    std::vector<DavElement> props;  // the properties found (propstat status 2xx)

    // The property of that namespace and name, or nullptr.
    [[nodiscard]] const DavElement* prop(std::string_view ns, std::string_view name) const;
    // The same, for taking its text away.
    [[nodiscard]] DavElement* prop(std::string_view ns, std::string_view name);
    // Its text without surrounding blanks; "" for none.
    [[nodiscard]] std::string propText(std::string_view ns, std::string_view name) const;
};

// A 207 Multi-Status answer.
struct MultiStatus {
    std::vector<DavResponse> responses;
    std::string syncToken;  // the new token of a sync-collection report
};

// Reads a multistatus body. A Syntax failure when it is not XML, and a Content failure when
// its root is not a multistatus or a response has no href.
[[nodiscard]] Status parseMultiStatus(std::string_view body, MultiStatus& out);
// The same from the tree of a body already read, whose texts it takes.
[[nodiscard]] Status takeMultiStatus(DavElement& root, MultiStatus& out);

// The code of a status line ("HTTP/1.1 404 Not Found" gives 404); 0 when there is none.
[[nodiscard]] int statusCodeOf(std::string_view line);

// Text escaped for XML character data.
[[nodiscard]] std::string xmlEscaped(std::string_view text);
