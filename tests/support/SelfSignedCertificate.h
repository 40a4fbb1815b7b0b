#pragma once

#include <string>

#include "ShellRun.h"

// Makes key.pem and cert.pem, a certificate for "quillmate.invalid" that no one vouches for,
// in `folder`; its SHA-256 fingerprint as openssl writes it, "" when openssl failed.
inline std::string makeSelfSignedCertificate(const std::string& folder) {
    if (runShell("cd " + folder +
                 " && openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem "
                 "-days 1 -subj /CN=quillmate.invalid 2>/dev/null")
            .code != 0)
        return {};
    return runShell("openssl x509 -noout -fingerprint -sha256 -in " + folder +
                    "/cert.pem | cut -d= -f2 | tr -d '\\n'")
        .output;
}
