#pragma once

#include <string>

#include "sync/DavXml.h"

// A multistatus tree as one line, namespaces and texts included, for comparing two reads.
inline std::string davShape(const DavElement& element) {
    std::string out = "{" + element.ns + "}" + element.name;
    for (const auto& [name, value] : element.attributes)
        out += " " + name + "=" + value;
    out += "[" + element.text + "]";
    for (const DavElement& child : element.children)
        out += "(" + davShape(child) + ")";
    return out;
}
