#pragma once

#include <string>
#include <vector>

#include "textio/TextImport.h"

// The lines of what an import skipped or noted, to compare in one assertion.
inline std::vector<size_t> linesOf(const std::vector<SkippedRecord>& records) {
    std::vector<size_t> lines;
    for (const SkippedRecord& record : records)
        lines.push_back(record.line);
    return lines;
}

// "line: reason" of each record.
inline std::vector<std::string> reasonsOf(const std::vector<SkippedRecord>& records) {
    std::vector<std::string> out;
    for (const SkippedRecord& record : records)
        out.push_back(std::to_string(record.line) + ": " + record.reason);
    return out;
}
