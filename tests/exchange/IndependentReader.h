#pragma once

#include <string>

#include "support/ShellRun.h"

// What a script of tests/exchange prints about `file` when Debian's Python runs it, with the
// Python modules Debian packages (python3-vobject, python3-icalendar): readers of vCard and
// iCalendar that share nothing with ours.
inline std::string readIndependently(const std::string& script, const std::string& file) {
    return runShell("/usr/bin/python3 " QUILLMATE_TEST_DATA "/../exchange/" + script + " '" + file +
                    "' 2>&1")
        .output;
}
