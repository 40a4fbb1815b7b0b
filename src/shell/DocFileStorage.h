#pragma once

#include "shell/DocumentStorage.h"

// Documents in their files on disk.
class DocFileStorage : public DocumentStorage {
public:
    LoadOutcome load(PimDocument& document, const std::string& path) override;
    bool save(const PimDocument& document, const std::string& path) override;
};
