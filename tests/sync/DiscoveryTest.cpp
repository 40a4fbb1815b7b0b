#include <gtest/gtest.h>

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

}  // namespace
