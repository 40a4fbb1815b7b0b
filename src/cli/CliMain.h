#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs quillmate-cli with the arguments after the program name; returns the exit code.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
