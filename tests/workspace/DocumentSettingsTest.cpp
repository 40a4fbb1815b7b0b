#include "workspace/DocumentSettings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/MemorySettingsStore.h"
#include "workspace/StartupPlan.h"

namespace {

using Section = MemorySettingsStore::Section;

TEST(DocumentSettings, StartupPlanFollowsArgumentsThenTheLastFile) {
    const std::string cwd = std::filesystem::current_path().string();
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::optional<uint32_t> openLastFile;
        std::optional<std::string> lastFileUsed;
        std::vector<std::string> files;
        bool fromLastFile;
        bool flag;
    } cases[] = {
        {"clean store", {}, {}, {}, {}, false, false},
        {"arguments win", {"/a.pgr", "/b b.pgr"}, 1, "/l.pgr", {"/a.pgr", "/b b.pgr"}, false, true},
        {"slash stays", {"/a.pgr"}, {}, {}, {"/a.pgr"}, false, false},
        {"relative made absolute", {"d/a.pgr"}, {}, {}, {cwd + "/d/a.pgr"}, false, false},
        {"last file", {}, 1, "/l.pgr", {"/l.pgr"}, true, true},
        {"never saved", {}, 1, "Untitled", {}, false, true},
        {"option off", {}, 0, "/l.pgr", {}, false, false},
        {"empty value", {}, 1, "", {}, false, true},
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        if (c.openLastFile) store.writeNumber("Files", "OpenLastFile", *c.openLastFile);
        if (c.lastFileUsed) store.writeText("Files", "LastFileUsed", *c.lastFileUsed);
        DocumentSettings settings(store);
        const StartupPlan plan = planStartup(c.arguments, settings);
        EXPECT_EQ(plan.files, c.files) << c.name;
        EXPECT_EQ(plan.fromLastFile, c.fromLastFile) << c.name;
        EXPECT_EQ(plan.openLastFile, c.flag) << c.name;
        // Starting with a file writes no defaults.
        EXPECT_EQ(store.hasSection("Files"), c.arguments.empty() || c.openLastFile) << c.name;
    }
}

TEST(DocumentSettings, RecentListIsStoredNewestFirstStaleSlotsGoAndTheCountReadIsClamped) {
    MemorySettingsStore store;
    DocumentSettings settings(store);
    for (int i = 4; i <= 16; ++i)
        store.writeText("Recent Document List", "Document" + std::to_string(i), "/stale.pgr");
    RecentFileList list;
    for (const char* path : {"P", "Q", "R"})
        list.add(path);
    settings.writeRecentFiles(list);

    const Section expected = {
        {"DocumentCount", uint32_t{4}},
        {"Document1", std::string("R")},
        {"Document2", std::string("Q")},
        {"Document3", std::string("P")},
    };
    EXPECT_EQ(store.sections().at("Recent Document List"), expected);
    EXPECT_EQ(settings.readRecentFiles().entries(), (std::vector<std::string>{"R", "Q", "P"}));

    // The count read is clamped; without one, nothing is read.
    const std::pair<uint32_t, int> counts[] = {{0, 2},   {2, 2},   {7, 7},
                                               {16, 16}, {17, 16}, {0xFFFFFFFF, 16}};
    for (const auto& [stored, maximum] : counts) {
        MemorySettingsStore full;
        full.writeNumber("Recent Document List", "DocumentCount", stored);
        for (int i = 1; i <= 16; ++i)
            full.writeText("Recent Document List", "Document" + std::to_string(i),
                           "/f" + std::to_string(i));
        const RecentFileList read = DocumentSettings(full).readRecentFiles();
        EXPECT_EQ(read.maximum(), maximum) << stored;
        ASSERT_EQ(read.size(), static_cast<size_t>(maximum)) << stored;
        EXPECT_EQ(read.entries().front(), "/f1");
    }
    MemorySettingsStore noCount;
    noCount.writeText("Recent Document List", "Document1", "/f1");
    EXPECT_TRUE(DocumentSettings(noCount).readRecentFiles().empty());
}

}  // namespace
