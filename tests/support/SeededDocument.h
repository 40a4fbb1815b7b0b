#pragma once

#include <string>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

// Saves at `path` a new document holding only the default groups, as File > New leaves it.
inline Status saveSeededDocument(const Clock& clock, const std::string& path) {
    PimDocument seed(clock);
    seed.seedDefaultGroups();
    return saveDocument(seed, path);
}
