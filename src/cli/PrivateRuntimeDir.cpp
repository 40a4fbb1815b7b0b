#include "cli/PrivateRuntimeDir.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

PrivateRuntimeDir::PrivateRuntimeDir() {
    const char* session = std::getenv("XDG_RUNTIME_DIR");
    if (session != nullptr && *session != '\0') return;
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = (tmp != nullptr && *tmp != '\0' ? tmp : "/tmp");
    pattern += "/quillmate-cli-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    // mkdtemp makes the folder for this user alone. Without it Qt falls back to its own
    // folder and says so: a remark, not a failure, so the report goes on either way.
    if (mkdtemp(name.data()) == nullptr) return;
    made_ = name.data();
    setenv("XDG_RUNTIME_DIR", made_.c_str(), 1);
}

PrivateRuntimeDir::~PrivateRuntimeDir() {
    if (made_.empty()) return;
    unsetenv("XDG_RUNTIME_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(made_, ignored);
}
