#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CliRun.h"
#include "support/ScratchDir.h"
#include "support/TzGuard.h"

// A new document in a folder of the test's own, and the program run at a fixed moment.
class CliFixture : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(runCliCaptured({"new", doc}).code, 0); }

    static CliRun run(std::vector<std::string> args, const std::string& input = "") {
        args.insert(args.begin(), {"--now", "2026-12-06 10:00"});
        return runCliCaptured(args, input);
    }
    // A refused command exits with `code`, names its problem (and, for a usage error, the
    // command's usage), prints nothing and leaves the document as it was.
    void expectRefused(const std::vector<std::string>& args, int code, const std::string& problem) {
        const std::string before = fileBytes(doc);
        const CliRun refused = run(args);
        EXPECT_EQ(refused.code, code) << problem;
        EXPECT_NE(refused.err.find(problem), std::string::npos) << refused.err;
        if (code == 2) {
            EXPECT_NE(refused.err.find("usage: quillmate-cli"), std::string::npos) << refused.err;
        }
        EXPECT_EQ(refused.out, "") << problem;
        EXPECT_EQ(fileBytes(doc), before) << problem;
    }

    TzGuard zone{"UTC"};
    ScratchDir dir;
    const std::string doc = dir.file("home.pgr");
};
