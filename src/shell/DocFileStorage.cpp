#include "shell/DocFileStorage.h"

#include "docfile/DocumentFile.h"

Status DocFileStorage::load(PimDocument& document, const std::string& path) {
    return loadDocument(document, path);
}

Status DocFileStorage::save(const PimDocument& document, const std::string& path) {
    return saveDocument(document, path);
}
