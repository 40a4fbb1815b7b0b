#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliMain.h"
#include "support/ShellRun.h"

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

#ifdef QUILLMATE_CLI_BINARY
// What the built program prints under a given environment ("LANG=de_DE.UTF-8"), for what
// only a new process sees.
inline std::string runProgram(const std::string& environment, const std::string& args) {
    return runShell("env -u LC_ALL -u LC_TIME -u LANG " + environment +
                    " " QUILLMATE_CLI_BINARY " " + args)
        .output;
}
#endif
