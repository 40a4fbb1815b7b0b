// Saves keep earlier versions under the data folder: in these tests, never the user's own.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct PrivateDataFolder {
    PrivateDataFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "quillmate-data-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder = pattern;
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }
    ~PrivateDataFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string folder;
};

const PrivateDataFolder kFolder;

}  // namespace
