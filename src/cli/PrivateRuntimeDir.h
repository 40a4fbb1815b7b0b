#pragma once

#include <string>

// Qt Gui wants a private runtime folder (XDG_RUNTIME_DIR), which a run without a desktop
// session (cron, ssh) lacks, and says so on standard error. While this object lives, such
// a run has one of its own, made for it alone (mode 0700) and removed afterwards, so that
// standard error carries only the program's own messages. A session's folder is used as
// it is.
class PrivateRuntimeDir {
public:
    PrivateRuntimeDir();
    ~PrivateRuntimeDir();
    PrivateRuntimeDir(const PrivateRuntimeDir&) = delete;
    PrivateRuntimeDir& operator=(const PrivateRuntimeDir&) = delete;

private:
    std::string made_;  // the folder made here, "" when the session had one
};
