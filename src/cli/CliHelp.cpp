#include "cli/CliHelp.h"

#include <array>
#include <ostream>
#include <string>

#include "cli/CliCommand.h"

namespace {

const std::array<CliOption, 3> kGlobalOptions = {{
    {"--now", "\"YYYY-MM-DD HH:MM\"", "fix the clock (today, now, defaults of new records)"},
    {"--version", "", "print the version and exit"},
    {"--help", "", "print this help, or after a command its usage"},
}};

// Option names and arguments fill this many columns before the summary.
constexpr size_t kOptionColumn = 24;

}  // namespace

std::span<const CliOption> cliGlobalOptions() {
    return kGlobalOptions;
}

void printCliUsage(std::ostream& out) {
    out << "usage: quillmate-cli " << kCliSynopsis[0] << "\n       quillmate-cli "
        << kCliSynopsis[1];
}

void printCliHelp(std::ostream& out) {
    printCliUsage(out);
    out << "\n\n" << kCliDescription << "\n\nCommands:\n";
    for (const CliCommand& command : cliCommands()) {
        out << "  " << command.name << ' ' << command.usage << "\n      " << command.summary
            << '\n';
    }
    out << "  " << kCliHelpCommand.name << ' ' << kCliHelpCommand.argument << "\n      "
        << kCliHelpCommand.summary << "\n\nOptions:\n";
    for (const CliOption& option : kGlobalOptions) {
        std::string head = option.name;
        if (*option.argument != '\0') head += std::string(" ") + option.argument;
        head.resize(std::max(head.size(), kOptionColumn), ' ');
        out << "  " << head << "  " << option.summary << '\n';
    }
    for (const char* note : kCliNotes)
        out << '\n' << note << '\n';
    out << '\n' << kCliErrorFormat << "\nExit status:";
    for (const CliExitMeaning& exit : kCliExitMeanings) {
        out << (exit.code == kCliExitMeanings[0].code ? " " : ", ") << exit.code << ' '
            << exit.meaning;
    }
    out << ".\n";
}
