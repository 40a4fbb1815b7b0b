#include "fileio/UserFolders.h"
#include "platform/Translate.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

constexpr const char* kProgramFolder = "/Tarnwick/Quillmate";
constexpr size_t kMostStemBytes = 120;

std::string xdgFolder(const char* variable, const char* fallbackUnderHome) {
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/')
        return std::string(value) + kProgramFolder;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + fallbackUnderHome + kProgramFolder;
}

std::filesystem::path resolved(const std::string& path) {
    std::error_code error;
    // Absolute first: of a bare name whose file is gone nothing exists to resolve, and the
    // name would be taken as it is, unlike "./name".
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return path;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, error);
    return error ? absolute.lexically_normal() : canonical;
}

}  // namespace

std::string userStateFolder() {
    return xdgFolder("XDG_STATE_HOME", "/.local/state");
}

std::string userDataFolder() {
    return xdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::string documentKey(const std::string& path) {
    // FNV-1a: stable from one run and one version to the next, unlike std::hash.
    uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : resolved(path).string()) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char key[17];
    std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash));
    return key;
}

std::string documentKeyedName(const std::string& path) {
    // The key tells documents apart, the stem only helps a person; a long one is cut so
    // that the name, with an ending added, stays a valid file name (255 bytes at most).
    std::string stem = resolved(path).stem().string();
    if (stem.size() > kMostStemBytes) {
        size_t cut = kMostStemBytes;
        // Not inside a UTF-8 character: continuation bytes are 10xxxxxx.
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80)
            --cut;
        stem.resize(cut);
    }
    return stem + "-" + documentKey(path);
}

std::string makePrivateFolder(const std::string& folder) {
    for (size_t slash = 1; slash != std::string::npos;) {
        slash = folder.find('/', slash + 1);
        const std::string step = folder.substr(0, slash);
        if (mkdir(step.c_str(), 0700) != 0 && errno != EEXIST)
            return step + ": " + std::strerror(errno);
    }
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return folder + ": " + _("not a folder");
    return "";
}
