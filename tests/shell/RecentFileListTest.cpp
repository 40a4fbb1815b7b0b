#include "shell/RecentFileList.h"

#include <gtest/gtest.h>

#include "shell/CommandId.h"

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, KeepsTheNewestUpToTheMaximum) {
    RecentFileList list;
    for (const char* path : {"/a.pgr", "/b.pgr", "/c.pgr", "/d.pgr", "/e.pgr"})
        list.add(path);
    EXPECT_EQ(list.entries(), (Paths{"/e.pgr", "/d.pgr", "/c.pgr", "/b.pgr"}));

    list.setMaximum(2);
    EXPECT_EQ(list.entries(), (Paths{"/e.pgr", "/d.pgr"}));
}

TEST(RecentFileList, APathDifferingOnlyInCaseReplacesItsEntry) {
    RecentFileList list;
    for (const char* path : {"/data/Home.pgr", "/b.pgr", "/c.pgr", "/d.pgr"})
        list.add(path);
    list.add("/DATA/home.PGR");
    EXPECT_EQ(list.entries(), (Paths{"/DATA/home.PGR", "/d.pgr", "/c.pgr", "/b.pgr"}));
}

TEST(RecentFileList, ClampsTheMaximum) {
    const std::pair<int, int> cases[] = {{-1, 2}, {0, 2},   {1, 2},  {2, 2},
                                         {9, 9},  {16, 16}, {40, 16}};
    for (const auto& [asked, kept] : cases)
        EXPECT_EQ(RecentFileList(asked).maximum(), kept) << asked;
}

TEST(RecentFileList, MapsCommandsToEntriesNewestFirst) {
    RecentFileList list;
    list.add("/old.pgr");
    list.add("/new.pgr");
    EXPECT_EQ(list.pathForCommand(cmd::kRecentFirst), "/new.pgr");
    EXPECT_EQ(list.pathForCommand(cmd::kRecentFirst + 1), "/old.pgr");
    EXPECT_FALSE(list.pathForCommand(cmd::kRecentFirst + 2));
    EXPECT_FALSE(list.pathForCommand(cmd::kRecentFirst - 1));
    EXPECT_EQ(RecentFileList::commandForIndex(1), cmd::kRecentFirst + 1);
}

TEST(RecentFileList, LabelsNumberTheEntriesAndKeepAmpersands) {
    RecentFileList list;
    list.add("/home/ann/Tom & Jerry.pgr");
    list.add("/home/ann/home.pgr");
    EXPECT_EQ(list.menuLabels(), (Paths{"&1 /home/ann/home.pgr", "&2 /home/ann/Tom && Jerry.pgr"}));
    EXPECT_TRUE(RecentFileList().menuLabels().empty());
}

}  // namespace
