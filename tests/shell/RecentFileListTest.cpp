#include "shell/RecentFileList.h"

#include <gtest/gtest.h>

#include "shell/CommandId.h"

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, KeepsTheNewestUpToTheMaximumAndIgnoresCase) {
    RecentFileList list;
    for (const char* path : {"/a.pgr", "/data/Home.pgr", "/c.pgr", "/d.pgr", "/e.pgr"})
        list.add(path);
    EXPECT_EQ(list.entries(), (Paths{"/e.pgr", "/d.pgr", "/c.pgr", "/data/Home.pgr"}));

    list.add("/DATA/home.PGR");
    EXPECT_EQ(list.entries(), (Paths{"/DATA/home.PGR", "/e.pgr", "/d.pgr", "/c.pgr"}));
    list.setMaximum(2);
    EXPECT_EQ(list.entries(), (Paths{"/DATA/home.PGR", "/e.pgr"}));
}

TEST(RecentFileList, MapsCommandsToEntriesNewestFirst) {
    RecentFileList list;
    list.add("/old.pgr");
    list.add("/new.pgr");
    EXPECT_EQ(list.pathForCommand(cmd::kRecentFirst), "/new.pgr");
    EXPECT_EQ(list.pathForCommand(cmd::kRecentFirst + 1), "/old.pgr");
    EXPECT_FALSE(list.pathForCommand(cmd::kRecentFirst + 2));
    EXPECT_FALSE(list.pathForCommand(cmd::kRecentFirst - 1));
}

TEST(RecentFileList, LabelsNumberTheEntriesAndKeepAmpersands) {
    RecentFileList list;
    list.add("/home/ann/Tom & Jerry.pgr");
    list.add("/home/ann/home.pgr");
    EXPECT_EQ(list.menuLabels(), (Paths{"&1 /home/ann/home.pgr", "&2 /home/ann/Tom && Jerry.pgr"}));
    EXPECT_TRUE(RecentFileList().menuLabels().empty());
}

}  // namespace
