#include "cli/CliMain.h"

#include <gtest/gtest.h>

#include "support/CliRun.h"

namespace {

TEST(CliMain, VersionHelpAndUsageErrors) {
    const CliRun version = runCliCaptured({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "quillmate-cli 1.6\n");

    const CliRun help = runCliCaptured({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("usage: quillmate-cli"), std::string::npos);

    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"--bogus"},
        {"--now"},
        {"--now", "2026-02-30 10:00"},
        {"--now", "2026-12-06"},
        {"--now", "2026-12-06 24:00"},
        {"--now", "2026-12-6 09:30"},
        {"info", "a", "b"},
        {"resave", "a"},
        {"compact"},
        {"new", "--bogus", "a"},
    };
    for (const auto& args : cases) {
        const CliRun bad = runCliCaptured(args);
        EXPECT_EQ(bad.code, 2) << ::testing::PrintToString(args);
        EXPECT_NE(bad.err.find("usage:"), std::string::npos);
    }
}

}  // namespace
