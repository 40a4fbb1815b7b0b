#include "cli/CliHelp.h"

#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/CliCommand.h"
#include "platform/Translate.h"

namespace {

const std::array<CliOption, 3> kGlobalOptions = {{
    {"--now", "\"YYYY-MM-DD HH:MM\"", N_("fix the clock (today, now, defaults of new records)")},
    {"--version", "", N_("print the version and exit")},
    {"--help", "", N_("print this help, or after a command its usage")},
}};

// Option names and arguments fill this many columns before the summary.
constexpr size_t kOptionColumn = 24;

}  // namespace

std::span<const CliOption> cliGlobalOptions() {
    return kGlobalOptions;
}

void printCliUsage(std::ostream& out) {
    // The second line lines up under the first, whatever "usage:" is in the language.
    const std::string first = fillIn(_("usage: %s"), {"quillmate-cli "});
    const size_t indent = first.size() - std::string_view("quillmate-cli ").size();
    out << first << kCliSynopsis[0] << '\n'
        << std::string(indent, ' ') << "quillmate-cli " << kCliSynopsis[1];
}

void printCliHelp(std::ostream& out) {
    printCliUsage(out);
    out << "\n\n" << _(kCliDescription) << "\n\n" << _("Commands:") << '\n';
    for (const CliCommand& command : cliCommands()) {
        out << "  " << command.name << ' ' << command.usage << "\n      " << _(command.summary)
            << '\n';
    }
    out << "  " << kCliHelpCommand.name << ' ' << kCliHelpCommand.argument << "\n      "
        << _(kCliHelpCommand.summary) << "\n\n"
        << _("Options:") << '\n';
    for (const CliOption& option : kGlobalOptions) {
        std::string head = option.name;
        if (*option.argument != '\0') head += std::string(" ") + option.argument;
        head.resize(std::max(head.size(), kOptionColumn), ' ');
        out << "  " << head << "  " << _(option.summary) << '\n';
    }
    for (const char* note : kCliNotes)
        out << '\n' << _(note) << '\n';
    out << '\n' << _(kCliErrorFormat) << '\n' << _("Exit status:");
    for (const CliExitMeaning& exit : kCliExitMeanings) {
        out << (exit.code == kCliExitMeanings[0].code ? " " : ", ") << exit.code << ' '
            << _(exit.meaning);
    }
    out << ".\n";
}
