// libFuzzer target: the XML reader must turn any bytes into a tree or a reported error.
#include <cstddef>
#include <cstdint>

#include "docfile/SimpleXMLParser.h"

namespace {

// Walks the whole tree, as a reader of it would.
size_t walk(const XmlNode& node) {
    size_t total = node.name().size() + node.text().size();
    if (const auto* attributes = node.attributes()) {
        for (const auto& attribute : *attributes)
            total += attribute.name.size() + attribute.value.size();
    }
    if (const auto* children = node.children()) {
        for (const auto& child : *children)
            total += walk(*child);
    }
    return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SimpleXMLParser parser;
    try {
        const auto root = parser.parse(reinterpret_cast<const char*>(data), size);
        if (walk(*root) > 3 * size + 8) __builtin_trap();  // a tree is never larger than its text
    } catch (const SimpleXMLParser::Exception& error) {
        if (error.line < 1 || error.column < 1) __builtin_trap();
    }
    return 0;
}
