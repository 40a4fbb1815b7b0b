#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

class Clock;
class Locale;
struct CliCommand;

// What a command may use: the clock (fixed by --now), the locale, the two streams, and
// the command itself for its usage line.
struct CliContext {
    const Clock& clock;
    const Locale& locale;
    std::ostream& out;
    std::ostream& err;
    const CliCommand& command;
};

// Exit codes shared by every command.
enum CliExit : int { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// One subcommand of quillmate-cli.
struct CliCommand {
    const char* name;
    const char* usage;    // the arguments after the name
    const char* summary;  // one line for --help
    int (*run)(CliContext& context, const std::vector<std::string>& args);
};

// Every subcommand, in the order --help lists them.
std::span<const CliCommand> cliCommands();
