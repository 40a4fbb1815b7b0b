#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs quillmate-cli with the arguments after the program name; returns the exit code.
// `in` is what a file argument "-" reads.
int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);
