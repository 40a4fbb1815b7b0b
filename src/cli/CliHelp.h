#pragma once

#include <iosfwd>
#include <span>

#include "platform/Translate.h"

// What quillmate-cli says about itself: --help prints it, and the manual page and the
// shell completion are generated from it, so the three cannot drift apart.

// An option, or the "help" pseudo-command, with its argument and one line for --help.
struct CliOption {
    const char* name;
    const char* argument;  // "" for none
    const char* summary;
};

// The program's two forms, each without the leading "quillmate-cli ".
inline constexpr const char* kCliSynopsis[] = {
    "[--now \"YYYY-MM-DD HH:MM\"] COMMAND [ARGS...]",
    "help [COMMAND] | --version | --help",
};
inline constexpr const char* kCliDescription = N_("Scripted access to Quillmate documents (.pgr).");
inline constexpr CliOption kCliHelpCommand = {"help", "[COMMAND]",
                                              N_("print this help, or the usage of COMMAND")};
// How arguments end their options and how lines of output hold values, one paragraph each.
inline constexpr const char* kCliNotes[] = {
    N_("\"--\" ends the options: every argument after it is taken as it stands, so that a "
       "description may begin with \"--\"."),
    N_("Lines of output (day, alarms, occurrences, persons, groups) write a backslash in a value "
       "as \\\\, a "
       "tab as \\t, a line feed as \\n, a carriage return as \\r and any other control "
       "character as \\xHH, so that a value never adds a field or a line of its own."),
};
inline constexpr const char* kCliErrorFormat =
    N_("Errors are printed as \"quillmate-cli: FILE:LINE:COLUMN: what went wrong\".");

// What each exit code means.
struct CliExitMeaning {
    int code;
    const char* meaning;
};
inline constexpr CliExitMeaning kCliExitMeanings[] = {
    {0, N_("success")}, {1, N_("failure")}, {2, N_("usage error")}};

// The options that come before the command.
std::span<const CliOption> cliGlobalOptions();

// The two-line usage of the program, as usage errors show it.
void printCliUsage(std::ostream& out);
// Everything --help prints.
void printCliHelp(std::ostream& out);
