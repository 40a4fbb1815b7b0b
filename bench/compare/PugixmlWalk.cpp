// The yardstick for loading, as a whole process: pugixml's load_file followed by a walk
// over every attribute and text, as bench/docfile times it in process.
//   pugixml_walk FILE
#include <cstdio>

#include "PugixmlWalk.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: pugixml_walk FILE\n", stderr);
        return 2;
    }
    pugi::xml_document document;
    if (!document.load_file(argv[1])) return 1;
    std::printf("%zu\n", pugixmlWalk(document));
    return 0;
}
