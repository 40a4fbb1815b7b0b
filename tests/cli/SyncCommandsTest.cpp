#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "CliFixture.h"

// The sync command against a server that takes the connection and never answers.

namespace {

// A server on the loopback that takes connections and says nothing.
class SilentServer {
public:
    SilentServer() {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            ::listen(fd_, 8) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            ADD_FAILURE() << "no loopback socket";
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() {
        for (const int connection : taken_)
            ::close(connection);
        ::close(fd_);
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    [[nodiscard]] std::string url() const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/";
    }
    // Takes a connection that comes within `ms`; false when none does.
    bool take(int ms) {
        pollfd waiting{fd_, POLLIN, 0};
        if (::poll(&waiting, 1, ms) != 1) return false;
        taken_.push_back(::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC));
        return true;
    }

private:
    int fd_ = -1;
    int port_ = 0;
    std::vector<int> taken_;
};

using SyncCommandsTest = CliFixture;

TEST_F(SyncCommandsTest, ASyncWaitingForASilentServerHoldsNoOtherCommandOfTheDocument) {
    SilentServer server;
    const EnvGuard state("XDG_STATE_HOME", dir.file("state").c_str());
    const EnvGuard timeout("QUILLMATE_TIMEOUT", "5");
    const std::string said = dir.file("said");
    const std::string url = server.url();
    const pid_t sync = fork();
    if (sync == 0) {
        const int out = ::open(said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, 1);
        ::dup2(out, 2);
        ::execl(QUILLMATE_CLI_BINARY, QUILLMATE_CLI_BINARY, "sync", doc.c_str(), "--url",
                url.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(sync, 0);
    ASSERT_TRUE(server.take(30000));
    // While it waits, the document takes a change, and a second sync is refused at once.
    const CliRun added = run({"add-person", doc, "--last", "Turing"});
    const CliRun second = run({"sync", doc, "--url", url});
    EXPECT_EQ(waitpid(sync, nullptr, WNOHANG), 0) << "the sync ended before the others ran";
    int status = 0;
    ASSERT_EQ(waitpid(sync, &status, 0), sync);
    EXPECT_EQ(added.code, 0) << added.err;
    EXPECT_EQ(second.code, 1);
    EXPECT_NE(second.err.find(doc + ": another sync of this document is under way"),
              std::string::npos)
        << second.err;
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(fileBytes(said), "quillmate-cli: " + url +
                                   ": the server cannot be reached: no answer within 5 seconds\n");
    // Discovery went to no other address, and the change made meanwhile stays.
    EXPECT_FALSE(server.take(0));
    EXPECT_NE(run({"persons", doc}).out.find("Turing"), std::string::npos);
}

}  // namespace
