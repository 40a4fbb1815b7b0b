#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "platform/Status.h"

class Clock;
class Locale;
struct CliCommand;

// What a command may use: the clock (fixed by --now), the locale and the three streams.
struct CliContext {
    const Clock& clock;
    const Locale& locale;
    std::istream& in;   // what a file argument "-" reads
    std::ostream& out;  // what a file argument "-" writes, and reports
    std::ostream& err;
    bool processEnds = false;                  // the process ends with the command (see AfterCli)
    std::string savedDocument;                 // the document the command changed and saved, if any
    std::span<const std::string> commandLine;  // every argument, the command's name among them
};

// The file argument that means standard input or standard output.
inline constexpr const char* kStandardStream = "-";

// Exit codes shared by every command.
enum CliExit : int { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// One subcommand of quillmate-cli. It reports a failure through the status it returns,
// which the program turns into one message line and the exit code: a Usage failure
// exits with kExitUsage and shows the command's usage, any other with kExitFailure.
struct CliCommand {
    const char* name;
    const char* usage;    // the arguments after the name
    const char* summary;  // one line for --help
    Status (*run)(CliContext& context, const std::vector<std::string>& args);
};

// Every subcommand, in the order --help lists them.
std::span<const CliCommand> cliCommands();
