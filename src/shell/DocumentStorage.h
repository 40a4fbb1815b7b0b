#pragma once

#include <string>

#include "platform/Status.h"

class PimDocument;

// Whether a save may replace a file that another program changed since it was read.
enum class SaveMode {
    KeepOtherChanges,  // then the save fails as a Conflict and writes nothing
    Overwrite,         // the user chose this file knowing it exists
};

// Reads and writes whole documents. A failed load leaves the document as it was; a
// failed save leaves the target file as it was.
class DocumentStorage {
public:
    virtual ~DocumentStorage() = default;
    // Replaces the document's contents with the file's; the path is the caller's business.
    virtual Status load(PimDocument& document, const std::string& path) = 0;
    // Writes the document to the path.
    virtual Status save(const PimDocument& document, const std::string& path, SaveMode mode) = 0;
};
