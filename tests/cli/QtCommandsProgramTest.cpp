#include <gtest/gtest.h>

#include "CliFixture.h"

// The program as shipped hands report and sync to the program beside it, with every
// argument, the options before the command among them.
TEST_F(CliFixture, ReportAndSyncRunInTheProgramBesideTheCommandLine) {
    ASSERT_EQ(run({"add-task", doc, "Call the plumber"}).code, 0);
    EXPECT_EQ(
        runProgram("", "--now '2026-12-06 10:00' report daily-plan " + doc + " -o - | head -c 5"),
        "%PDF-");
    const ShellRun sync = runShell(QUILLMATE_CLI_BINARY " sync " + doc + " 2>&1");
    EXPECT_EQ(sync.code, 2);
    EXPECT_NE(sync.output.find("--url is required"), std::string::npos) << sync.output;
}
