#include "docfile/DocumentFile.h"
#include "platform/Translate.h"

#include <new>
#include <optional>
#include <utility>

#include "docfile/DocumentReader.h"
#include "docfile/DocumentWriter.h"
#include "fileio/FileBytes.h"
#include "fileio/FileWindow.h"
#include "records/PimDocument.h"

Status saveDocument(const PimDocument& document, const std::string& path,
                    const WriteOptions& options) {
    // Written while it is made, so that a large document needs no copy in memory.
    return writeFileAtomically(
        path, [&](const ByteSink& sink) { return writeDocument(document, sink); }, options);
}

namespace {

bool succeeded(const Status& read) {
    return static_cast<bool>(read);
}
bool succeeded(const std::optional<Status>& read) {
    return read && *read;
}

// `bytes` is a std::string_view, FileBytes to hand back while they are read, or a FileWindow,
// from which a text that is not well-formed gives nothing.
template <class Bytes>
auto loadFrom(PimDocument& document, Bytes& bytes)
    -> decltype(readDocumentText(bytes, std::declval<PimContents&>(), DateTime())) {
    // Read apart from the document so that a broken file changes nothing.
    try {
        PimContents contents;
        auto read = readDocumentText(bytes, contents, DateTime::now(document.clock()));
        if (succeeded(read)) document.adoptContents(std::move(contents));
        return read;
    } catch (const std::bad_alloc&) {
        return Status::failure(FailureKind::Read, "", _("not enough memory to load it"));
    }
}

}  // namespace

Status loadDocument(PimDocument& document, const std::string& path, FileStamp* stamp) {
    FileStamp read;
    {
        // A window at a time first: neither memory of the file's size nor its clearing.
        FileWindow window;
        if (Status opened = window.open(path, &read); !opened) return opened;
        if (std::optional<Status> loaded = loadFrom(document, window)) {
            if (*loaded && stamp != nullptr) *stamp = read;
            return loaded->inFile(path);
        }
    }
    // The bytes read whole say where the text stops being well-formed.
    FileBytes bytes;
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
