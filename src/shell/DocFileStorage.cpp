#include "shell/DocFileStorage.h"

#include "docfile/DocumentFile.h"

LoadOutcome DocFileStorage::load(PimDocument& document, const std::string& path) {
    const LoadResult result = loadDocument(document, path);
    // Only a damaged file has a message of its own; a file that cannot be read is
    // reported by the command that tried to open it.
    const bool damaged = !result.ok && result.failure == LoadFailure::Syntax;
    return {result.ok, damaged ? result.error : std::string()};
}

bool DocFileStorage::save(const PimDocument& document, const std::string& path) {
    return saveDocument(document, path).ok;
}
