#pragma once

#include <cstdio>
#include <string>

// What a script of tests/exchange prints about `file` when Debian's Python runs it, with the
// Python modules Debian packages (python3-vobject, python3-icalendar): readers of vCard and
// iCalendar that share nothing with ours.
inline std::string readIndependently(const std::string& script, const std::string& file) {
    const std::string command =
        "/usr/bin/python3 " QUILLMATE_TEST_DATA "/../exchange/" + script + " '" + file + "' 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}
