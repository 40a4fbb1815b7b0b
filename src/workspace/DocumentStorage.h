#pragma once

#include <optional>
#include <string>

#include "fileio/FileStamp.h"

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
    // How the file at `path` was when this storage last read or wrote it; nothing when it
    // has not.
    [[nodiscard]] virtual std::optional<FileStamp> knownStamp(const std::string& /*path*/) const {
        return std::nullopt;
    }
    // What the last save that worked wants the user to know all the same (an earlier
    // version that could not be kept); "" for nothing. Asking forgets it.
    [[nodiscard]] virtual std::string takeNotice() { return ""; }
};
