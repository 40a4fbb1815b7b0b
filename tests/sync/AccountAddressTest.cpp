#include <gtest/gtest.h>

#include "sync/AccountAddress.h"

namespace {

// What the scenarios' plain addresses leave open: an "@" past the host, IPv6 hosts, case.
TEST(AccountAddressTest, UserInfoAndTheSamePlaceAreReadFromTheAuthorityAlone) {
    EXPECT_TRUE(holdsUserInfo("https://alice:p@ss@dav.example.org/"));
    EXPECT_FALSE(holdsUserInfo("https://dav.example.org/users/alice@example.org/?u=a@b"));
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"http://DAV.example.org/a/", "https://dav.example.org:8443/a/", true},
        {"https://[::1]:8443/a/", "https://[::1]/a/", true},
        {"https://dav.example.org", "https://dav.example.org/", true},
        {"http://127.0.0.1:5232/alice/", "http://127.0.0.1:5232/bob/", false},
        {"http://127.0.0.1:5232/alice/", "http://127.0.0.2:5232/alice/", false},
        {"https://dav.example.org/a/", "", false},
    };
    for (const auto& [a, b, same] : rows)
        EXPECT_EQ(samePlaceOnHost(a, b), same) << a << " / " << b;
}

}  // namespace
