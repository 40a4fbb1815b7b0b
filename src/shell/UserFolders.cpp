#include "shell/UserFolders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kProgramFolder = "/Tarnwick/Quillmate";

std::string xdgFolder(const char* variable, const char* fallbackUnderHome) {
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/')
        return std::string(value) + kProgramFolder;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + fallbackUnderHome + kProgramFolder;
}

}  // namespace

std::string userStateFolder() {
    return xdgFolder("XDG_STATE_HOME", "/.local/state");
}

std::string userDataFolder() {
    return xdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::string makePrivateFolder(const std::string& folder) {
    for (size_t slash = 1; slash != std::string::npos;) {
        slash = folder.find('/', slash + 1);
        const std::string step = folder.substr(0, slash);
        if (mkdir(step.c_str(), 0700) != 0 && errno != EEXIST)
            return step + ": " + std::strerror(errno);
    }
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return folder + ": not a folder";
    return "";
}
