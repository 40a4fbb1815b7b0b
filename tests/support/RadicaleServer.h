#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

// A Radicale server on 127.0.0.1 at a free port, storing into `folder`; anyone is let in,
// or with `htpasswd` only the users that file names (passwords in plain text). Stopped when
// the object goes.
class RadicaleServer {
public:
    explicit RadicaleServer(std::string folder, std::string htpasswd = "")
        : folder_(std::move(folder)), htpasswd_(std::move(htpasswd)) {
        port_ = freePort();
        start();
    }
    ~RadicaleServer() { stop(); }
    RadicaleServer(const RadicaleServer&) = delete;
    RadicaleServer& operator=(const RadicaleServer&) = delete;

    [[nodiscard]] std::string url() const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/";
    }
    [[nodiscard]] bool running() const { return pid_ > 0; }

    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    // Starts it again on the same port and folder, waiting until it answers.
    void start() {
        const std::string hosts = "127.0.0.1:" + std::to_string(port_);
        const std::string store = folder_ + "/collections";
        const std::string log = folder_ + "/radicale.log";
        pid_ = fork();
        if (pid_ == 0) {
            if (FILE* out = freopen(log.c_str(), "a", stderr)) (void)out;
            if (htpasswd_.empty()) {
                execl("/usr/bin/python3", "python3", "-m", "radicale", "--server-hosts",
                      hosts.c_str(), "--storage-filesystem-folder", store.c_str(), "--auth-type",
                      "none", "--logging-level", "warning", static_cast<char*>(nullptr));
            } else {
                execl("/usr/bin/python3", "python3", "-m", "radicale", "--server-hosts",
                      hosts.c_str(), "--storage-filesystem-folder", store.c_str(), "--auth-type",
                      "htpasswd", "--auth-htpasswd-filename", htpasswd_.c_str(),
                      "--auth-htpasswd-encryption", "plain", "--logging-level", "warning",
                      static_cast<char*>(nullptr));
            }
            _exit(127);
        }
        for (int i = 0; i < 200 && !answers(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

private:
    static int freePort() {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t size = sizeof address;
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
        close(s);
        return ntohs(address.sin_port);
    }
    [[nodiscard]] bool answers() const {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port_));
        const bool connected =
            connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        close(s);
        return connected;
    }

    std::string folder_;
    std::string htpasswd_;
    int port_ = 0;
    pid_t pid_ = -1;
};
