#include "cli/CliMain.h"

#include <gtest/gtest.h>

#include "cli/CliCommand.h"
#include "support/CliRun.h"

namespace {

TEST(CliMain, VersionHelpAndUsageErrors) {
    EXPECT_EQ(runCliCaptured({"--version"}).out, "quillmate-cli 1.6\n");
    const CliRun help = runCliCaptured({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.starts_with("usage: quillmate-cli")) << help.out;
    EXPECT_EQ(runCliCaptured({"help", "--help"}).out, help.out) << "help is an option of its own";

    const std::vector<std::vector<std::string>> cases = {{},
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
                                                         {"help", "nonsense"}};
    for (const auto& args : cases) {
        const CliRun bad = runCliCaptured(args);
        EXPECT_EQ(bad.code, 2) << ::testing::PrintToString(args);
        EXPECT_TRUE(bad.err.starts_with("quillmate-cli: ")) << bad.err;
        EXPECT_NE(bad.err.find("usage:"), std::string::npos);
    }
    // As the value of --fields, --help is a field name, and not one there is.
    const CliRun asValue =
        runCliCaptured({"export", "tasks", "a.pgr", "b.csv", "--fields", "--help"});
    EXPECT_EQ(asValue.code, 2);
    EXPECT_NE(asValue.err.find("unknown field \"--help\""), std::string::npos) << asValue.err;
    // An empty file name is a malformed request, not a file that failed to open.
    const CliRun empty = runCliCaptured({"info", ""});
    EXPECT_EQ(empty.code, 2);
    EXPECT_TRUE(empty.err.starts_with("quillmate-cli: no file name given\n")) << empty.err;
}

TEST(CliMain, EveryCommandExplainsItself) {
    for (const CliCommand& command : cliCommands()) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{command.name, "--help"}, {"help", command.name}}) {
            const CliRun help = runCliCaptured(args);
            EXPECT_EQ(help.code, 0) << ::testing::PrintToString(args) << help.err;
            EXPECT_TRUE(help.out.starts_with(std::string("usage: quillmate-cli ") + command.name))
                << help.out;
        }
    }
}

TEST(CliMain, SuggestsTheCommandMeantByASlip) {
    for (const auto& [slip, meant] : {std::pair{"imprt", "import"}, std::pair{"comapct", "compact"},
                                      std::pair{"hlep", "help"}}) {
        const CliRun run = runCliCaptured({slip});
        EXPECT_EQ(run.code, 2);
        EXPECT_NE(run.err.find("did you mean \"" + std::string(meant) + "\"?"), std::string::npos)
            << run.err;
    }
    EXPECT_EQ(runCliCaptured({"frobnicate"}).err.find("did you mean"), std::string::npos)
        << "no suggestion for a word that is nothing like a command";
}

}  // namespace
