#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "cli/CliCommand.h"
#include "cli/CliHelp.h"
#include "cli/CompletionScript.h"
#include "cli/ManPage.h"

namespace {

TEST(CliDocsTest, EscapesWhatRoffWouldReadAsMarkup) {
    const std::pair<const char*, const char*> cases[] = {
        {"--no-header", "\\-\\-no\\-header"},
        {"C:\\path", "C:\\epath"},
        {".pgr files", "\\&.pgr files"},
        {"one\n'two'\n.three", "one\n\\&'two'\n\\&.three"},
        {"a.b 'c'", "a.b 'c'"},
        {"a|b", "a|\\:b"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(roffEscaped(text), expected) << text;
}

TEST(CliDocsTest, EveryCommandUsageReadsAsWords) {
    // A usage line the reader misreads would complete wrong words without any error.
    for (const CliCommand& command : cliCommands()) {
        const UsageShape shape = parseUsage(command.usage);
        EXPECT_FALSE(shape.positionals.empty()) << command.name;
        for (const UsageShape::Option& option : shape.options) {
            EXPECT_TRUE(option.name.rfind("--", 0) == 0 || option.name.size() == 2) << command.name;
            EXPECT_EQ(option.name.find_first_of("[]|"), std::string::npos) << command.name;
        }
    }
}

TEST(CliDocsTest, ManPageUsesOnlyManMacrosAndListsEveryCommand) {
    std::ostringstream page;
    writeCliManPage(page, "1.2.3", "2026-01-02");
    const std::set<std::string> macros = {".TH", ".SH", ".TP", ".B", ".BR", ".br", ".nh", ".ad"};
    std::istringstream lines(page.str());
    std::string line, previous;
    std::set<std::string> tags;
    while (std::getline(lines, line)) {
        if (line.starts_with(".") || line.starts_with("'")) {
            EXPECT_TRUE(macros.count(line.substr(0, line.find(' ')))) << line;
        }
        if (previous == ".TP") tags.insert(line.substr(0, line.find(' ')));
        previous = line;
    }
    for (const CliCommand& command : cliCommands())
        EXPECT_TRUE(tags.count("\\fB" + roffEscaped(command.name) + "\\fR")) << command.name;
    for (const CliOption& option : cliGlobalOptions())
        EXPECT_TRUE(tags.count("\\fB" + roffEscaped(option.name) + "\\fR")) << option.name;
    EXPECT_NE(page.str().find("\"Quillmate 1.2.3\""), std::string::npos);
}

}  // namespace
