#pragma once

#include <optional>
#include <string>
#include <vector>

class DocumentSettings;

// What the program opens when it starts.
struct StartupPlan {
    std::vector<std::string> files;  // opened in turn; the last one that loads stays
    bool fromLastFile = false;       // the file is the one open when the program last closed
    bool openLastFile = false;       // the stored "open the last file on start" option
};

// Decides from the command-line arguments and the settings. Paths are taken as given (the
// shell has already split and unquoted them); relative ones are made absolute.
[[nodiscard]] StartupPlan planStartup(const std::vector<std::string>& arguments,
                                      DocumentSettings& settings);
