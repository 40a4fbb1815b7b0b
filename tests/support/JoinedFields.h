#pragma once

#include <string>

#include "sync/SyncFields.h"

// A record's field texts in one line, "|" between them, for comparing whole records.
inline std::string joined(const SyncRecord& record) {
    std::string text;
    for (const std::string& field : fieldTexts(record))
        text += (text.empty() ? "" : "|") + field;
    return text;
}
