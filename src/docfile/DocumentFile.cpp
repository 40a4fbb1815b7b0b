#include "docfile/DocumentFile.h"
#include "platform/Translate.h"

#include <new>

#include "docfile/DocumentReader.h"
#include "docfile/DocumentWriter.h"
#include "records/PimDocument.h"

Status saveDocument(const PimDocument& document, const std::string& path,
                    const WriteOptions& options) {
    // Written while it is made, so that a large document needs no copy in memory.
    return writeFileAtomically(
        path, [&](const ByteSink& sink) { return writeDocument(document, sink); }, options);
}

namespace {

// `bytes` is a std::string_view, or FileBytes to hand back while they are read.
template <class Bytes>
Status loadFrom(PimDocument& document, Bytes& bytes) {
    // Read apart from the document so that a broken file changes nothing.
    try {
        PimContents contents;
        Status read = readDocumentText(bytes, contents, DateTime::now(document.clock()));
        if (read) document.adoptContents(std::move(contents));
        return read;
    } catch (const std::bad_alloc&) {
        return Status::failure(FailureKind::Read, "", _("not enough memory to load it"));
    }
}

}  // namespace

Status loadDocument(PimDocument& document, const std::string& path, FileStamp* stamp) {
    FileBytes bytes;
    FileStamp read;
    if (Status status = readWholeFile(path, bytes, &read); !status) return status;
    Status loaded = loadFrom(document, bytes).inFile(path);
    if (loaded && stamp != nullptr) *stamp = read;
    return loaded;
}

Status loadDocumentBytes(PimDocument& document, std::string_view bytes) {
    return loadFrom(document, bytes);
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
