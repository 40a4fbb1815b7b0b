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

}  // namespace
