#include "docfile/DocumentFile.h"

#include "docfile/DocumentReader.h"
#include "docfile/DocumentWriter.h"
#include "records/PimDocument.h"

FileResult saveDocument(const PimDocument& document, const std::string& path) {
    // Written while it is made, so that a large document needs no copy in memory.
    return writeFileAtomically(path,
                               [&](const ByteSink& sink) { return writeDocument(document, sink); });
}

LoadResult loadDocument(PimDocument& document, const std::string& path) {
    FileBytes file = readWholeFile(path);
    if (!file) return {false, LoadFailure::Unreadable, 0, 0, std::move(file.error)};
    return loadDocumentBytes(document, file.bytes);
}

LoadResult loadDocumentBytes(PimDocument& document, std::string_view bytes) {
    // Read apart from the document so that a broken file changes nothing.
    PimContents contents;
    const DocumentReadResult read =
        readDocumentText(bytes, contents, DateTime::now(document.clock()));
    if (!read.ok) {
        return {false, LoadFailure::Syntax, read.error.line, read.error.column,
                "Parsing error at line " + std::to_string(read.error.line)};
    }
    document.adoptContents(std::move(contents));
    return {true, LoadFailure::None, 0, 0, {}};
}

FileResult backupDocument(const PimDocument& document, const std::string& path) {
    return saveDocument(document, path);
}

std::string backupFileStem(const std::string& documentPath) {
    std::string name = documentPath.empty() ? "Untitled" : documentPath;
    const size_t slash = name.find_last_of('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name.empty() ? "Untitled" : name;
}
