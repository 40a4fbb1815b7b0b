#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// What comes after a run: more work in the same process (a test running commands), or
// the end of the process, which takes back the memory of the records a command read at
// once, so that the command need not free them one by one.
enum class AfterCli { ProcessGoesOn, ProcessEnds };

// Runs quillmate-cli with the arguments after the program name; returns the exit code.
// `in` is what a file argument "-" reads.
int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, AfterCli after = AfterCli::ProcessGoesOn);
