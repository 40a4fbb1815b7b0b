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

    // Each names its problem and shows the usage.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "usage:"},
        {{"frobnicate"}, "unknown command \"frobnicate\"\n"},
        {{"imprt"}, "did you mean \"import\"?"},
        {{"comapct"}, "did you mean \"compact\"?"},
        {{"hlep"}, "did you mean \"help\"?"},
        {{"--bogus"}, "usage:"},
        {{"--now"}, "usage:"},
        {{"--now", "2026-02-30 10:00"}, "usage:"},
        {{"--now", "2026-12-06"}, "usage:"},
        {{"--now", "2026-12-06 24:00"}, "usage:"},
        {{"--now", "2026-12-6 09:30"}, "usage:"},
        {{"info", "a", "b"}, "usage:"},
        {{"resave", "a"}, "usage:"},
        {{"compact"}, "usage:"},
        {{"new", "--bogus", "a"}, "usage:"},
        {{"help", "nonsense"}, "usage:"},
        // As the value of --fields, --help is a field name, and not one there is.
        {{"export", "tasks", "a.pgr", "b.csv", "--fields", "--help"}, "unknown field \"--help\""},
        // An empty file name is a malformed request, not a file that failed to open.
        {{"info", ""}, "quillmate-cli: no file name given\n"},
    };
    for (const auto& [args, problem] : cases) {
        const CliRun bad = runCliCaptured(args);
        EXPECT_EQ(bad.code, 2) << ::testing::PrintToString(args);
        EXPECT_TRUE(bad.err.starts_with("quillmate-cli: ")) << bad.err;
        EXPECT_NE(bad.err.find("usage:"), std::string::npos) << bad.err;
        EXPECT_NE(bad.err.find(problem), std::string::npos) << bad.err;
    }
}

TEST(CliMain, EveryCommandExplainsItself) {
    for (const CliCommand& command : cliCommands())
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{command.name, "--help"}, {"help", command.name}}) {
            const CliRun help = runCliCaptured(args);
            EXPECT_EQ(help.code, 0) << ::testing::PrintToString(args) << help.err;
            EXPECT_TRUE(help.out.starts_with(std::string("usage: quillmate-cli ") + command.name))
                << help.out;
        }
}

}  // namespace
