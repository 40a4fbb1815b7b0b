#pragma once

#include <string>
#include <vector>

#include "support/ShellRun.h"

// What a script of tests/exchange prints about `file` when Debian's Python runs it, with the
// Python modules Debian packages (python3-vobject, python3-icalendar,
// python3-recurring-ical-events): readers of vCard and iCalendar that share nothing with ours.
inline std::string readIndependently(const std::string& script, const std::string& file) {
    return runShell("/usr/bin/python3 " QUILLMATE_TEST_DATA "/../exchange/" + script + " '" + file +
                    "' 2>&1")
        .output;
}

// The same with more arguments after the file, each passed as one word.
inline std::string readIndependently(const std::string& script, const std::string& file,
                                     const std::vector<std::string>& arguments) {
    std::string words = file;
    for (const std::string& argument : arguments)
        words += "' '" + argument;
    return readIndependently(script, words);
}
