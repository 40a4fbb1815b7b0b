#include <gtest/gtest.h>

#include <thread>

#include "sync/Discovery.h"
#include "sync/FakeDavServer.h"

namespace {

TEST(DiscoveryTest, AnUnnamedCalendarIsOneThatTakesEventsAndToDosWhenThereIsOne) {
    DavAccount account;
    account.collections = {{"http://dav.test/c/work/", "Work", false, true, false},
                           {"http://dav.test/c/home/", "Home", false, true, true}};
    FakeDavServer server;
    DavClient dav(server, true);
    std::string url;
    bool made = true;
    ASSERT_TRUE(chooseCollection(dav, account, false, "", url, made));
    EXPECT_EQ(url, "http://dav.test/c/home/");
    EXPECT_FALSE(made);
    ASSERT_TRUE(chooseCollection(dav, account, false, "Work", url, made));
    EXPECT_EQ(url, "http://dav.test/c/work/");
    EXPECT_EQ(server.requests, 0);
}

TEST(DiscoveryTest, ACollectionTheUserMayNotWriteIsReadOnly) {
    const struct {
        const char* label;
        const char* privileges;  // the property's value; nullptr: the server gives none
        bool readOnly;
    } rows[] = {
        {"read only", "<d:privilege><d:read/></d:privilege>", true},
        {"items writable",
         "<d:privilege><d:read/></d:privilege><d:privilege><d:write-content/>"
         "</d:privilege>",
         false},
        {"everything", "<d:privilege><d:all/></d:privilege>", false},
        {"not said", nullptr, false},
    };
    for (const auto& row : rows) {
        FakeDavServer server;
        server.fault = [&](const HttpRequest&) -> std::optional<HttpResponse> {
            std::string props = "<d:resourcetype><d:collection/><A:addressbook/></d:resourcetype>";
            if (row.privileges)
                props += "<d:current-user-privilege-set>" + std::string(row.privileges) +
                         "</d:current-user-privilege-set>";
            return FakeDavServer::multistatus(FakeDavServer::entry("/books/main/", props));
        };
        DavClient dav(server, true);
        DavAccount account;
        ASSERT_TRUE(discoverAccount(dav, FakeDavServer::kCollection, account)) << row.label;
        ASSERT_EQ(account.collections.size(), 1u) << row.label;
        EXPECT_EQ(account.collections[0].readOnly, row.readOnly) << row.label;
    }
}

TEST(DiscoveryTest, AServerTooSlowEndsDiscoveryAtOneDeadlineForAllOfIt) {
    const HttpResponse principal = FakeDavServer::multistatus(FakeDavServer::entry(
        "/p/", "<d:current-user-principal><d:href>/p/</d:href></d:current-user-principal>"));
    const struct {
        const char* label;
        bool answers;  // else the server is silent
        const char* failure;
    } rows[] = {
        {"silent", false, "http://dav.test/: the server cannot be reached: no answer"},
        {"answering only as the deadline passes", true,
         "the server cannot be reached: no complete answer from dav.test within 1 seconds"},
    };
    for (const auto& row : rows) {
        FakeDavServer server;
        server.limit = std::chrono::seconds(1);
        server.fault = [&](const HttpRequest& r) -> std::optional<HttpResponse> {
            if (!row.answers) return HttpResponse{0, {}, {}, "no answer"};
            if (server.requests > 1) return std::nullopt;
            if (r.until != std::chrono::steady_clock::time_point::max())
                std::this_thread::sleep_until(r.until);
            return principal;
        };
        DavClient dav(server, true);
        DavAccount account;
        const Status found = discoverAccount(dav, "http://dav.test/", account);
        EXPECT_NE(found.message().find(row.failure), std::string::npos)
            << row.label << ": " << found.message();
        // Neither the well-known addresses nor the principal are asked after it.
        EXPECT_EQ(server.requests, 1) << row.label;
    }
}

TEST(DiscoveryTest, ACollectionAnotherClientMadeMeanwhileIsUsed) {
    const struct {
        const char* label;
        bool addressBook;
        const char* type;  // of what the server holds at the address we would make
        bool used;
    } rows[] = {
        {"address book", true, "<d:collection/><A:addressbook/>", true},
        {"calendar", false, "<d:collection/><C:calendar/>", true},
        {"plain folder", true, "<d:collection/>", false},
    };
    for (const auto& row : rows) {
        FakeDavServer server;
        server.fault = [&](const HttpRequest& r) -> std::optional<HttpResponse> {
            if (r.method.starts_with("MK")) return HttpResponse{405, {}, {}, {}};
            return FakeDavServer::multistatus(FakeDavServer::entry(
                DavClient::pathOf(r.url),
                "<d:resourcetype>" + std::string(row.type) + "</d:resourcetype>"));
        };
        DavClient dav(server, true);
        DavAccount account;
        account.addressBookHome = account.calendarHome = "http://dav.test/home/";
        std::string url;
        bool made = true;
        const Status chosen = chooseCollection(dav, account, row.addressBook, "", url, made);
        EXPECT_EQ(bool(chosen), row.used) << row.label << ": " << chosen.message();
        EXPECT_FALSE(made) << row.label;
        if (row.used) {
            EXPECT_TRUE(url.starts_with("http://dav.test/home/quillmate-")) << row.label;
        }
    }
}

// A principal that answers with no response at all is taken for its own home, rather than
// a home of no address being asked for.
TEST(DiscoveryTest, APrincipalThatSaysNothingOfItselfIsItsOwnHome) {
    FakeDavServer server;
    std::vector<std::string> asked;
    server.fault = [&](const HttpRequest& request) -> std::optional<HttpResponse> {
        asked.push_back(request.url);
        if (asked.size() == 1)
            return FakeDavServer::multistatus(FakeDavServer::entry(
                "/",
                "<d:current-user-principal><d:href>/p/ann/</d:href></d:current-user-principal>"));
        return FakeDavServer::multistatus("");
    };
    DavClient dav(server, true);
    DavAccount account;
    ASSERT_TRUE(discoverAccount(dav, "http://dav.test/", account));
    EXPECT_EQ(account.addressBookHome, "http://dav.test/p/ann/");
    EXPECT_EQ(asked, (std::vector<std::string>{"http://dav.test/", "http://dav.test/p/ann/",
                                               "http://dav.test/p/ann/"}));
}

}  // namespace
