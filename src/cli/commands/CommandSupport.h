#pragma once

#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"

// What several commands do the same way.

// A failure of the command line itself.
[[nodiscard]] Status usageFailure(std::string reason);
// "quillmate-cli: MESSAGE" on the error stream, for what does not stop a command.
void reportWarning(CliContext& context, const std::string& message);
// Parses the arguments of a command that takes exactly `count` positionals.
Status parseArguments(const std::vector<std::string>& args, size_t count,
                      const std::vector<std::string>& valued, const std::vector<std::string>& flags,
                      CliArgs& parsed);
