#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "CliFixture.h"
#include "support/LoopbackListener.h"

// The sync command against a server on the loopback that answers only when the test says.

namespace {

// A server on the loopback that takes connections and says nothing unless told.
class LoopbackServer {
public:
    LoopbackServer() {
        fd_ = listenOnLoopback(port_);
        if (fd_ < 0) ADD_FAILURE() << "no loopback socket";
    }
    ~LoopbackServer() {
        for (const int connection : taken_)
            ::close(connection);
        ::close(fd_);
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

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

    // Waits up to `ms` for the next request, on the connection taken last or a new one.
    bool next(int ms) {
        pollfd waiting[2] = {{fd_, POLLIN, 0}, {taken_.back(), POLLIN, 0}};
        if (::poll(waiting, 2, ms) < 1) return false;
        if (waiting[0].revents & POLLIN)
            taken_.push_back(::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC));
        return true;
    }
    // Reads the next request on the connection taken last, whole; its first line.
    std::string request() {
        std::string text;
        char buffer[4096];
        size_t end = std::string::npos;
        while (end == std::string::npos || text.size() < end + 4 + lengthOf(text)) {
            const ssize_t got = ::read(taken_.back(), buffer, sizeof buffer);
            if (got <= 0) return {};
            text.append(buffer, size_t(got));
            end = text.find("\r\n\r\n");
        }
        return text.substr(0, text.find("\r\n"));
    }
    // Answers it with a multistatus of `responses`.
    void answer(const std::string& responses) {
        const std::string body =
            "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" "
            "xmlns:A=\"urn:ietf:params:xml:ns:carddav\">" +
            responses + "<d:sync-token>t1</d:sync-token></d:multistatus>";
        const std::string text =
            "HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\n"
            "Content-Length: " +
            std::to_string(body.size()) + "\r\n\r\n" + body;
        ASSERT_EQ(::write(taken_.back(), text.data(), text.size()), ssize_t(text.size()));
    }

private:
    static size_t lengthOf(const std::string& head) {
        const size_t at = head.find("Content-Length: ");
        return at == std::string::npos ? 0 : std::stoul(head.substr(at + 16));
    }

    int fd_ = -1;
    int port_ = 0;
    std::vector<int> taken_;
};

// Starts quillmate-cli sync of the document with `options` in a process of its own, what it
// prints going to `said`.
pid_t startSync(const std::string& doc, std::vector<std::string> options, const std::string& said) {
    options.insert(options.begin(), {QUILLMATE_CLI_BINARY, "sync", doc});
    std::vector<char*> argv;
    for (std::string& option : options)
        argv.push_back(option.data());
    argv.push_back(nullptr);
    const pid_t sync = fork();
    if (sync == 0) {
        const int out = ::open(said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, 1);
        ::dup2(out, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return sync;
}

using SyncCommandsTest = CliFixture;

TEST_F(SyncCommandsTest, ASyncWaitingForASilentServerHoldsNoOtherCommandOfTheDocument) {
    LoopbackServer server;
    const EnvGuard state("XDG_STATE_HOME", dir.file("state").c_str());
    const EnvGuard timeout("QUILLMATE_TIMEOUT", "5");
    const std::string said = dir.file("said");
    const std::string url = server.url();
    const pid_t sync = startSync(doc, {"--url", url}, said);
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

TEST_F(SyncCommandsTest, AChangeMadeWhileTheSyncWaitsStaysBesideWhatCameDown) {
    LoopbackServer server;
    const EnvGuard state("XDG_STATE_HOME", dir.file("state").c_str());
    const std::string url = server.url();
    const pid_t sync = startSync(
        doc, {"--url", url, "--addressbook", url + "cards/", "--calendar", url + "dates/"},
        "/dev/null");
    ASSERT_GT(sync, 0);
    ASSERT_TRUE(server.take(30000));
    EXPECT_EQ(server.request(), "REPORT /cards/ HTTP/1.1");
    EXPECT_EQ(run({"add-person", doc, "--last", "Turing"}).code, 0);
    server.answer(
        "<d:response><d:href>/cards/ada.vcf</d:href><d:propstat><d:prop><d:getetag>\"1\""
        "</d:getetag><A:address-data>BEGIN:VCARD\r\nVERSION:3.0\r\nUID:ada\r\n"
        "N:Lovelace;Ada;;;\r\nFN:Ada Lovelace\r\nEND:VCARD\r\n</A:address-data></d:prop>"
        "<d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>");
    ASSERT_TRUE(server.next(30000));
    EXPECT_EQ(server.request(), "REPORT /dates/ HTTP/1.1");
    server.answer("");
    int status = 0;
    ASSERT_EQ(waitpid(sync, &status, 0), sync);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string persons = run({"persons", doc}).out;
    EXPECT_NE(persons.find("Turing"), std::string::npos) << persons;
    EXPECT_NE(persons.find("Lovelace"), std::string::npos) << persons;
}

}  // namespace
