#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>

#include "CliFixture.h"
#include "platform/SecretKeeping.h"
#include "platform/qt/IniSettingsStore.h"
#include "support/LoopbackListener.h"
#include "support/TlsTestServer.h"
#include "sync/SyncAccount.h"

// What the sync command does to keep the password and the server it talks to the user's.

namespace {

using SyncSecretsTest = CliFixture;

// A server on the loopback, in this process, that notes whether the process may dump core
// when each request comes and refuses it.
class CoreDumpWitness {
public:
    CoreDumpWitness() {
        listener_ = listenOnLoopback(port_);
        if (listener_ < 0) std::abort();
        thread_ = std::thread([this] { serve(); });
    }
    ~CoreDumpWitness() {
        done_ = true;
        thread_.join();
        close(listener_);
    }
    [[nodiscard]] std::string url() const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/";
    }
    std::atomic<int> asked = 0, askedDumpable = 0;

private:
    void serve() {
        while (!done_) {
            pollfd waiting{listener_, POLLIN, 0};
            if (poll(&waiting, 1, 50) <= 0) continue;
            const int connection = accept(listener_, nullptr, nullptr);
            if (connection < 0) continue;
            ++asked;
            if (NoCoreDumps::dumpable()) ++askedDumpable;
            char request[8192];
            (void)!read(connection, request, sizeof request);
            const char answer[] = "HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n";
            (void)!write(connection, answer, sizeof answer - 1);
            close(connection);
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> done_ = false;
    std::thread thread_;
};

TEST_F(SyncSecretsTest, NoCoreDumpWhileThePasswordIsHeld) {
    const EnvGuard password("QUILLMATE_PASSWORD", "secret");
    const EnvGuard state("XDG_STATE_HOME", dir.file("state").c_str());
    const bool before = NoCoreDumps::dumpable();
    int asked = 0, askedDumpable = 0;
    {
        CoreDumpWitness server;
        const CliRun result = run({"sync", doc, "--url", server.url(), "--user", "alice"});
        EXPECT_EQ(result.code, 1) << result.err;
        asked = server.asked;
        askedDumpable = server.askedDumpable;
    }
    EXPECT_GT(asked, 0);
    EXPECT_EQ(askedDumpable, 0);
    EXPECT_EQ(NoCoreDumps::dumpable(), before) << "as it was once the sync is over";
}

// A certificate the user trusted in the window's account settings is taken for the same
// account here, also at another port.
TEST_F(SyncSecretsTest, TakesTheCertificateTrustedInTheWindowForTheSameAccount) {
    const EnvGuard config("XDG_CONFIG_HOME", dir.file("config").c_str());
    const EnvGuard state("XDG_STATE_HOME", dir.file("state").c_str());
    const EnvGuard password("QUILLMATE_PASSWORD", "secret");
    const std::string folder = dir.path().string();
    const std::string fingerprint = makeSelfSignedCertificate(folder);
    ASSERT_FALSE(fingerprint.empty());
    // Serves until nothing comes for a while.
    const TlsTestServer server(folder,
                               "class Server(http.server.HTTPServer):\n"
                               "    timeout = 3\n"
                               "    done = False\n"
                               "    def handle_timeout(self):\n"
                               "        self.done = True\n"
                               "class Quiet(http.server.BaseHTTPRequestHandler):\n"
                               "    def log_message(self, *args):\n"
                               "        pass\n"
                               "server = Server(('127.0.0.1', 0), Quiet)\n",
                               "while not server.done:\n"
                               "    server.handle_request()\n");
    ASSERT_FALSE(server.url().empty());
    const std::string url = server.url();
    const auto sync = [&] { return run({"sync", doc, "--url", url, "--user", "alice"}).err; };

    const std::string untrusted = sync();
    SyncAccount account;
    account.url = "https://127.0.0.1:1/";
    account.user = "alice";
    account.trustedCertificate = fingerprint;
    {
        IniSettingsStore settings;
        writeSyncAccount(settings, doc, account);
    }
    const std::string trusted = sync();
    EXPECT_NE(untrusted.find("does not verify"), std::string::npos) << untrusted;
    EXPECT_EQ(trusted.find("does not verify"), std::string::npos) << trusted;
    EXPECT_NE(trusted.find("answered 501"), std::string::npos) << trusted;
}

}  // namespace
