#include "workspace/FileDialogFolder.h"

#include <filesystem>
#include <system_error>

#include "workspace/UntitledName.h"

std::string fileDialogFolder(const std::string& documentPath, const std::string& documentsFolder) {
    if (isUntitled(documentPath)) return documentsFolder;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(documentPath, error);
    if (error) return documentsFolder;
    return absolute.parent_path().string();
}

std::string documentStem(const std::string& documentPath) {
    if (isUntitled(documentPath)) return kUntitledName;
    const std::string stem = std::filesystem::path(documentPath).stem().string();
    return stem.empty() ? std::string(kUntitledName) : stem;
}
