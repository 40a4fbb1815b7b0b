#include "platform/SoundFile.h"

#include <filesystem>
#include <system_error>

namespace {

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string findSoundFile(const std::string& name, const std::vector<std::string>& dataDirs) {
    if (name.empty()) return "";
    const std::filesystem::path path(name);
    if (path.has_parent_path()) return isFile(path) ? name : "";
    if (isFile(path)) {
        std::error_code error;
        const auto absolute = std::filesystem::absolute(path, error);
        return error ? name : absolute.string();
    }
    for (const std::string& dir : dataDirs) {
        const auto candidate = std::filesystem::path(dir) / path;
        if (isFile(candidate)) return candidate.string();
    }
    return "";
}
