#pragma once

#include <cstdio>
#include <cstring>
#include <fstream>
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

// Python's HTTP server on the loopback, over TLS with the certificate of `folder`
// (makeSelfSignedCertificate). `make` is Python that sets `server` to an http.server for
// ('127.0.0.1', 0); `serve` is Python that answers its requests, after which it ends.
class TlsTestServer {
public:
    TlsTestServer(const std::string& folder, const std::string& make, const std::string& serve) {
        std::ofstream(folder + "/serve.py")
            << "import http.server, ssl\n"
            << make
            << "context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)\n"
               "context.load_cert_chain('cert.pem', 'key.pem')\n"
               "server.socket = context.wrap_socket(server.socket, server_side=True)\n"
               "print(server.server_address[1], flush=True)\n"
            << serve;
        process_ = popen(("cd " + folder + " && exec /usr/bin/python3 serve.py").c_str(), "r");
        char port[16] = {};
        if (process_ != nullptr && fgets(port, sizeof port, process_) != nullptr)
            url_ = "https://127.0.0.1:" + std::string(port, strcspn(port, "\n")) + "/";
    }
    ~TlsTestServer() { finish(); }
    TlsTestServer(const TlsTestServer&) = delete;
    TlsTestServer& operator=(const TlsTestServer&) = delete;

    // Its address; "" when it did not start.
    [[nodiscard]] const std::string& url() const { return url_; }
    // Waits for it to end.
    void finish() {
        if (process_ != nullptr) pclose(process_);
        process_ = nullptr;
    }

private:
    FILE* process_ = nullptr;
    std::string url_;
};
