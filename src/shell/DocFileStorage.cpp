#include "shell/DocFileStorage.h"

#include "docfile/DocumentFile.h"

Status DocFileStorage::load(PimDocument& document, const std::string& path) {
    FileStamp stamp;
    Status loaded = loadDocument(document, path, &stamp);
    if (loaded) stamps_[path] = stamp;
    return loaded;
}

Status DocFileStorage::save(const PimDocument& document, const std::string& path, SaveMode mode) {
    WriteOptions options;
    if (const auto known = stamps_.find(path);
        known != stamps_.end() && mode == SaveMode::KeepOtherChanges) {
        options.unchangedSince = known->second;
    }
    FileStamp written;
    options.written = &written;
    Status saved = saveDocument(document, path, options);
    if (saved) stamps_[path] = written;
    return saved;
}
