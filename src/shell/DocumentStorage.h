#pragma once

#include <string>

class PimDocument;

// What became of a load.
struct LoadOutcome {
    bool loaded = false;
    std::string error;  // a message for the user ("Parsing error at line 3"), or ""
};

// Reads and writes whole documents. A failed load leaves the document as it was; a
// failed save leaves the target file as it was.
class DocumentStorage {
public:
    virtual ~DocumentStorage() = default;
    // Replaces the document's contents with the file's; the path is the caller's business.
    virtual LoadOutcome load(PimDocument& document, const std::string& path) = 0;
    // Writes the document to the path; true when the file is in place.
    virtual bool save(const PimDocument& document, const std::string& path) = 0;
};
