#include "workspace/RecentFileList.h"

#include <gtest/gtest.h>

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, KeepsTheNewestUpToTheMaximumAndMatchesPathsExactly) {
    RecentFileList list;
    for (const char* path : {"/a.pgr", "/data/Home.pgr", "/c.pgr", "/d.pgr", "/e.pgr"})
        list.add(path);
    EXPECT_EQ(list.entries(), (Paths{"/e.pgr", "/d.pgr", "/c.pgr", "/data/Home.pgr"}));

    // Letter case makes another file; only the very same path moves up.
    list.add("/data/home.pgr");
    EXPECT_EQ(list.entries(), (Paths{"/data/home.pgr", "/e.pgr", "/d.pgr", "/c.pgr"}));
    list.add("/d.pgr");
    EXPECT_EQ(list.entries(), (Paths{"/d.pgr", "/data/home.pgr", "/e.pgr", "/c.pgr"}));
    list.remove("/E.pgr");
    EXPECT_EQ(list.size(), 4u);
    list.setMaximum(2);
    EXPECT_EQ(list.entries(), (Paths{"/d.pgr", "/data/home.pgr"}));
}

TEST(RecentFileList, PositionsAndLabelsNumberTheEntriesNewestFirstKeepingAmpersands) {
    RecentFileList list;
    EXPECT_TRUE(list.menuLabels().empty());
    list.add("/home/ann/Tom & Jerry.pgr");
    list.add("/home/ann/home.pgr");
    EXPECT_EQ(list.menuLabels(), (Paths{"&1 /home/ann/home.pgr", "&2 /home/ann/Tom && Jerry.pgr"}));
    EXPECT_EQ(list.pathAt(0), "/home/ann/home.pgr");
    EXPECT_EQ(list.pathAt(1), "/home/ann/Tom & Jerry.pgr");
    EXPECT_FALSE(list.pathAt(2));
    EXPECT_FALSE(list.pathAt(static_cast<size_t>(-1)));
}

}  // namespace
