#pragma once

#include <string>

#include "cli/CliCommand.h"

class PimDocument;

// What every command prints the same way.

// "quillmate-cli: MESSAGE" on the error stream.
void reportError(CliContext& context, const std::string& message);
// The message and the command's usage line; returns the usage exit code.
int reportUsage(CliContext& context, const std::string& message);
// Loads or saves `path`, reporting a failure; a parse error names the file.
bool loadForCommand(CliContext& context, PimDocument& document, const std::string& path);
bool saveForCommand(CliContext& context, const PimDocument& document, const std::string& path);
