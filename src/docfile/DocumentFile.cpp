#include "docfile/DocumentFile.h"

#include "docfile/DocumentReader.h"
#include "docfile/DocumentWriter.h"
#include "records/PimDocument.h"

Status saveDocument(const PimDocument& document, const std::string& path) {
    // Written while it is made, so that a large document needs no copy in memory.
    return writeFileAtomically(path,
                               [&](const ByteSink& sink) { return writeDocument(document, sink); });
}

Status loadDocument(PimDocument& document, const std::string& path) {
    std::string bytes;
    if (Status read = readWholeFile(path, bytes); !read) return read;
    return loadDocumentBytes(document, bytes).inFile(path);
}

Status loadDocumentBytes(PimDocument& document, std::string_view bytes) {
    // Read apart from the document so that a broken file changes nothing.
    PimContents contents;
    Status read = readDocumentText(bytes, contents, DateTime::now(document.clock()));
    if (read) document.adoptContents(std::move(contents));
    return read;
}

Status backupDocument(const PimDocument& document, const std::string& path) {
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
