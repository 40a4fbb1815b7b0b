#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/CliRun.h"
#include "support/ProcessGuards.h"
#include "support/Records.h"
#include "support/ScratchDir.h"

inline DateTime at(int y, int mo, int d, int h = 0, int mi = 0) {
    return DateTime::fromFields(y, mo, d, h, mi);
}

// A new document in a folder of the test's own, and the program run at a fixed moment.
class CliFixture : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(runCliCaptured({"new", doc}).code, 0); }

    static CliRun run(std::vector<std::string> args, const std::string& input = "") {
        args.insert(args.begin(), {"--now", "2026-12-06 10:00"});
        return runCliCaptured(args, input);
    }
    // A run's exit code, output and errors in one text, to compare in one assertion;
    // `err` without the program's name before it.
    static std::string said(const CliRun& r) {
        return "exit " + std::to_string(r.code) + "\n" + r.out + "--- errors\n" + r.err;
    }
    static std::string said(int code, const std::string& out, const std::string& err = "") {
        return said({code, out, err.empty() ? "" : "quillmate-cli: " + err});
    }
    // The words of `line`; those naming a file ("home.pgr", "missing/out.csv") as files of
    // the test's folder.
    std::vector<std::string> words(const std::string& line) const {
        std::vector<std::string> out;
        std::istringstream in(line);
        for (std::string word; in >> word;) {
            const std::string extension = word.substr(word.find_last_of('.') + 1);
            const bool file =
                word.find('.') != std::string::npos &&
                std::string(" pgr csv vcf VCF ics ical txt pdf ").find(" " + extension + " ") !=
                    std::string::npos;
            out.push_back(file ? dir.file(word) : word);
        }
        return out;
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
    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};  // the moment `run` gives
    ScratchDir dir;
    const std::string doc = dir.file("home.pgr");
};
