#include "exchange/ImportCounts.h"

std::string countOf(size_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}
