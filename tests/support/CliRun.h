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

// `input` is what the program reads as its standard input.
inline CliRun runCliCaptured(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = runCli(args, in, out, err);
    return {code, out.str(), err.str()};
}
