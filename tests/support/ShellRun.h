#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

// What a shell command printed on its standard output, and its exit code (-1 when it did
// not exit normally). Add " 2>&1" to the command for its errors too.
struct ShellRun {
    int code = -1;
    std::string output;
};

inline ShellRun runShell(const std::string& command) {
    ShellRun result;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
            result.output.append(buffer, n);
        const int status = pclose(pipe);
        result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return result;
}
