#include "cli/CliMain.h"

#include <gtest/gtest.h>

#include "cli/CliArgs.h"
#include "support/CliRun.h"

namespace {

TEST(CliMain, VersionHelpAndUsageErrors) {
    const CliRun version = runCliCaptured({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "quillmate-cli 1.6\n");

    const CliRun help = runCliCaptured({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("usage: quillmate-cli"), std::string::npos);

    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"frobnicate"},
                                                                  {"--bogus"},
                                                                  {"--now"},
                                                                  {"--now", "2026-02-30 10:00"},
                                                                  {"--now", "2026-12-06"}}) {
        const CliRun bad = runCliCaptured(args);
        EXPECT_EQ(bad.code, 2);
        EXPECT_NE(bad.err.find("usage:"), std::string::npos);
    }
}

TEST(CliArgs, ParsesNowAndOptions) {
    const auto now = parseNowOption("2026-12-06 09:30");
    ASSERT_TRUE(now.has_value());
    EXPECT_EQ(now->year, 2026);
    EXPECT_EQ(now->minute, 30);
    EXPECT_FALSE(parseNowOption("2026-12-06 24:00"));
    EXPECT_FALSE(parseNowOption("2026-12-6 09:30"));
    EXPECT_FALSE(parseNowOption("2026-12-06T09:30"));

    CliArgs args;
    EXPECT_EQ(
        args.parse({"a.pgr", "--force", "--sep", ";", "b.csv", "--sep", "|"}, {"sep"}, {"force"}),
        "");
    EXPECT_TRUE(args.has("force"));
    EXPECT_EQ(args.value("sep"), "|");
    EXPECT_EQ(args.positional(), (std::vector<std::string>{"a.pgr", "b.csv"}));

    CliArgs missing;
    EXPECT_NE(missing.parse({"--sep"}, {"sep"}, {}), "");
    CliArgs unknown;
    EXPECT_NE(unknown.parse({"--what"}, {}, {}), "");
}

}  // namespace
