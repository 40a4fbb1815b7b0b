#pragma once

#include <map>
#include <string>

#include "fileio/FileStamp.h"
#include "shell/DocumentStorage.h"

// Documents in their files on disk. It remembers how each file was when it last read or
// wrote it, so that a save can tell when another program changed the file in between.
class DocFileStorage : public DocumentStorage {
public:
    Status load(PimDocument& document, const std::string& path) override;
    Status save(const PimDocument& document, const std::string& path, SaveMode mode) override;

private:
    std::map<std::string, FileStamp> stamps_;
};
