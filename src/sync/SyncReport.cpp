#include "sync/SyncReport.h"

std::vector<std::string> SyncReport::countLines() const {
    std::vector<std::string> lines;
    for (const auto& [kind, count] : counts) {
        std::string line = std::string(kindName(kind)) + "s: " + std::to_string(count.up) +
                           " up, " + std::to_string(count.down) + " down";
        if (count.deletedHere > 0)
            line += ", " + std::to_string(count.deletedHere) + " deleted here";
        if (count.deletedThere > 0)
            line += ", " + std::to_string(count.deletedThere) + " deleted on the server";
        lines.push_back(std::move(line));
    }
    return lines;
}
