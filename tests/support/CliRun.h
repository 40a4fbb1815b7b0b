#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliMain.h"

// What one in-process run of quillmate-cli returned and printed.
struct CliRun {
    int code;
    std::string out;
    std::string err;
};

inline CliRun runCliCaptured(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = runCli(args, out, err);
    return {code, out.str(), err.str()};
}
