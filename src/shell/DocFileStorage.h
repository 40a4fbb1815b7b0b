#pragma once

#include "shell/DocumentStorage.h"

// Documents in their files on disk.
class DocFileStorage : public DocumentStorage {
public:
    Status load(PimDocument& document, const std::string& path) override;
    Status save(const PimDocument& document, const std::string& path) override;
};
