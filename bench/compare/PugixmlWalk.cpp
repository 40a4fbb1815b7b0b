// The yardstick for loading, as a whole process: pugixml's load_file followed by a walk
// over every attribute and text, as bench/docfile times it in process.
//   pugixml_walk FILE
#include <cstdio>
#include <cstring>

#include <pugixml.hpp>

namespace {

size_t walk(const pugi::xml_node& node) {
    size_t total = 0;
    for (const pugi::xml_attribute& attribute : node.attributes())
        total += std::strlen(attribute.name()) + std::strlen(attribute.value());
    for (const pugi::xml_node& child : node.children())
        total += walk(child) + std::strlen(child.value());
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: pugixml_walk FILE\n", stderr);
        return 2;
    }
    pugi::xml_document document;
    if (!document.load_file(argv[1])) return 1;
    std::printf("%zu\n", walk(document));
    return 0;
}
