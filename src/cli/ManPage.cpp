#include "cli/ManPage.h"

#include <ostream>

#include "cli/CliCommand.h"
#include "cli/CliHelp.h"

std::string roffEscaped(std::string_view text) {
    std::string escaped;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\'')) escaped += "\\&";
        if (c == '\\')
            escaped += "\\e";
        else if (c == '-')
            escaped += "\\-";
        else if (c == '|')
            escaped += "|\\:";  // a long list of choices may break after each bar
        else
            escaped += c;
        lineStart = c == '\n';
    }
    return escaped;
}

namespace {

// A tagged paragraph: the tag in bold, then its argument, then the text.
void writeItem(std::ostream& out, std::string_view name, std::string_view argument,
               std::string_view text) {
    out << ".TP\n\\fB" << roffEscaped(name) << "\\fR";
    if (!argument.empty()) out << ' ' << roffEscaped(argument);
    out << '\n' << roffEscaped(text) << '\n';
}

}  // namespace

void writeCliManPage(std::ostream& out, std::string_view version, std::string_view date) {
    // Long usage lines break at spaces only: no hyphenation (.nh), no stretched gaps (.ad l).
    out << ".TH QUILLMATE\\-CLI 1 \"" << roffEscaped(date) << "\" \"Quillmate "
        << roffEscaped(version) << "\" \"User Commands\"\n.nh\n.ad l\n"
        << ".SH NAME\nquillmate\\-cli \\- scripted access to Quillmate documents\n"
        << ".SH SYNOPSIS\n";
    for (const char* synopsis : kCliSynopsis)
        out << ".B quillmate\\-cli\n" << roffEscaped(synopsis) << "\n.br\n";
    out << ".SH DESCRIPTION\n" << roffEscaped(kCliDescription) << '\n' << ".SH COMMANDS\n";
    for (const CliCommand& command : cliCommands())
        writeItem(out, command.name, command.usage, command.summary);
    writeItem(out, kCliHelpCommand.name, kCliHelpCommand.argument, kCliHelpCommand.summary);
    out << ".SH OPTIONS\n";
    for (const CliOption& option : cliGlobalOptions())
        writeItem(out, option.name, option.argument, option.summary);
    out << ".SH NOTES\n";
    for (const char* note : kCliNotes)
        out << (note == kCliNotes[0] ? "" : ".br\n") << roffEscaped(note) << '\n';
    out << ".SH DIAGNOSTICS\n" << roffEscaped(kCliErrorFormat) << "\n.SH \"EXIT STATUS\"\n";
    for (const CliExitMeaning& exit : kCliExitMeanings)
        writeItem(out, std::to_string(exit.code), "", exit.meaning);
    out << ".SH \"SEE ALSO\"\n.BR quillmate (1)\n";
}
