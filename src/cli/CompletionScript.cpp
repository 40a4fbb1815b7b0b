#include "cli/CompletionScript.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <sstream>

#include "cli/CliCommand.h"
#include "cli/CliHelp.h"

namespace {

bool isPlaceholder(std::string_view word) {
    return std::any_of(word.begin(), word.end(), [](char c) { return std::isupper(c); }) &&
           std::none_of(word.begin(), word.end(), [](char c) { return std::islower(c); });
}

// "--name", or "-x" for a one-letter option.
bool isOptionName(std::string_view word) {
    return word.rfind("--", 0) == 0 || (word.size() == 2 && word[0] == '-' &&
                                        std::isalpha(static_cast<unsigned char>(word[1])));
}

WordChoices choicesOf(std::string_view text) {
    WordChoices choices;
    std::string alternative;
    std::istringstream alternatives{std::string(text)};
    while (std::getline(alternatives, alternative, '|')) {
        if (!isPlaceholder(alternative)) {
            choices.words.push_back(alternative);
        } else if (alternative.find(',') != std::string::npos || alternative == "NAME") {
            // A name or a list the user writes; nothing to offer.
        } else if (alternative == "FILE" || alternative == "DOC") {
            choices.files = WordChoices::Files::Documents;
        } else if (alternative == "IN" || alternative == "OUT" || alternative == "PDF") {
            choices.files = WordChoices::Files::Any;
        }
        // Any other name stands for text the user types (a date, a size, a face).
    }
    return choices;
}

// Words quoted for a bash single-quoted string; none of ours hold a quote.
std::string wordList(const std::vector<std::string>& words) {
    std::string list;
    for (const std::string& word : words)
        list += (list.empty() ? "" : " ") + word;
    return list;
}

// One positional or option value as the script's helper reads it: the words, then
// "@doc" or "@file" when files fit too.
std::string choicesSpec(const WordChoices& choices) {
    std::string spec = wordList(choices.words);
    if (choices.files == WordChoices::Files::Documents) spec += spec.empty() ? "@doc" : " @doc";
    if (choices.files == WordChoices::Files::Any) spec += spec.empty() ? "@file" : " @file";
    return "'" + spec + "'";
}

void writeCommandCase(std::ostream& out, const std::string& name, const UsageShape& shape) {
    std::vector<std::string> options = {"--help"};
    std::vector<std::string> valued;
    for (const UsageShape::Option& option : shape.options) {
        options.push_back(option.name);
        if (option.takesValue) valued.push_back(option.name);
    }
    out << "        " << name << ")\n"
        << "            options='" << wordList(options) << "'\n"
        << "            valued=' " << wordList(valued) << " '\n"
        << "            positionals=(";
    for (size_t i = 0; i < shape.positionals.size(); ++i)
        out << (i == 0 ? "" : " ") << choicesSpec(shape.positionals[i]);
    out << ")\n";
    bool anyValued = false;
    for (const UsageShape::Option& option : shape.options) {
        if (!option.takesValue) continue;
        if (!anyValued) out << "            case $prev in\n";
        anyValued = true;
        out << "                " << option.name << ") _quillmate_cli_offer "
            << choicesSpec(option.value) << "; return ;;\n";
    }
    if (anyValued) out << "            esac\n";
    out << "            ;;\n";
}

}  // namespace

UsageShape parseUsage(std::string_view usage) {
    std::vector<std::pair<std::string, bool>> tokens;  // the word, and whether '[' opened it
    std::vector<bool> closes;                          // whether ']' follows the word
    std::istringstream words{std::string(usage)};
    std::string word;
    while (words >> word) {
        // "[--group NAME]..." may be given again: it reads as the option it repeats.
        if (word.size() > 4 && word.ends_with("]...")) word.resize(word.size() - 3);
        const bool opens = word.front() == '[';
        const bool closed = word.back() == ']';
        word = word.substr(opens ? 1 : 0, word.size() - (opens ? 1 : 0) - (closed ? 1 : 0));
        tokens.emplace_back(word, opens);
        closes.push_back(closed);
    }
    UsageShape shape;
    bool inBrackets = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const auto& [text, opens] = tokens[i];
        inBrackets = inBrackets || opens;
        if (isOptionName(text)) {
            UsageShape::Option option;
            option.name = text;
            const bool valueFollows = i + 1 < tokens.size() && !closes[i] &&
                                      !tokens[i + 1].second && !isOptionName(tokens[i + 1].first);
            if (valueFollows) {
                option.takesValue = true;
                option.value = choicesOf(tokens[++i].first);
            }
            shape.options.push_back(option);
        } else if (!inBrackets) {
            shape.positionals.push_back(choicesOf(text));
        }
        if (closes[i]) inBrackets = false;
    }
    return shape;
}

void writeCliCompletion(std::ostream& out) {
    std::vector<std::string> commands;
    for (const CliCommand& command : cliCommands())
        commands.emplace_back(command.name);
    commands.emplace_back(kCliHelpCommand.name);
    std::vector<std::string> globalOptions;
    std::vector<std::string> globalValued;
    for (const CliOption& option : cliGlobalOptions()) {
        globalOptions.emplace_back(option.name);
        if (*option.argument != '\0') globalValued.emplace_back(option.name);
    }

    out << "# bash completion for quillmate-cli, generated from its command table.\n\n"
           "# Offers the words of a spec that start with $cur; \"@doc\" adds documents (*.pgr)\n"
           "# and folders, \"@file\" any file.\n"
           "_quillmate_cli_offer() {\n"
           "    local word files=\n"
           "    local -a words=()\n"
           "    for word in $1; do\n"
           "        case $word in\n"
           "            @doc | @file) files=$word ;;\n"
           "            *) words+=(\"$word\") ;;\n"
           "        esac\n"
           "    done\n"
           "    local IFS=$'\\n'\n"
           "    COMPREPLY=($(compgen -W \"${words[*]}\" -- \"$cur\"))\n"
           "    if [[ $files == @doc ]]; then\n"
           "        compopt -o filenames 2>/dev/null\n"
           "        COMPREPLY+=($(compgen -d -- \"$cur\") $(compgen -f -X '!*.pgr' -- \"$cur\"))\n"
           "    elif [[ $files == @file ]]; then\n"
           "        compopt -o filenames 2>/dev/null\n"
           "        COMPREPLY+=($(compgen -f -- \"$cur\"))\n"
           "    fi\n"
           "}\n\n"
           "_quillmate_cli() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
           "    local i=1 command=\n"
           "    # Global options come before the command.\n"
           "    while ((i < COMP_CWORD)); do\n"
           "        case ${COMP_WORDS[i]} in\n";
    for (const std::string& option : globalValued)
        out << "            " << option << ") ((i += 2)) ;;\n";
    out << "            --*) ((i += 1)) ;;\n"
           "            *) command=${COMP_WORDS[i]}; break ;;\n"
           "        esac\n"
           "    done\n"
           "    if [[ -z $command ]]; then\n"
           "        case $prev in\n";
    for (const std::string& option : globalValued)
        out << "            " << option << ") return ;;\n";
    out << "        esac\n"
           "        if [[ $cur == -* ]]; then\n"
           "            _quillmate_cli_offer '"
        << wordList(globalOptions)
        << "'\n"
           "        else\n"
           "            _quillmate_cli_offer '"
        << wordList(commands)
        << "'\n"
           "        fi\n"
           "        return\n"
           "    fi\n\n"
           "    local options= valued=\n"
           "    local -a positionals=()\n"
           "    case $command in\n";
    for (const CliCommand& command : cliCommands())
        writeCommandCase(out, command.name, parseUsage(command.usage));
    std::vector<std::string> helpTopics(commands.begin(), commands.end() - 1);
    out << "        " << kCliHelpCommand.name << ") positionals=('" << wordList(helpTopics)
        << "') ;;\n"
           "        *) return ;;\n"
           "    esac\n"
           "    if [[ $cur == -* ]]; then\n"
           "        _quillmate_cli_offer \"$options\"\n"
           "        return\n"
           "    fi\n"
           "    # Which positional the word is: options and their values do not count.\n"
           "    local position=0\n"
           "    for ((i += 1; i < COMP_CWORD; i++)); do\n"
           "        if [[ $valued == *\" ${COMP_WORDS[i]} \"* ]]; then\n"
           "            ((i += 1))\n"
           "        elif [[ ${COMP_WORDS[i]} != --* ]]; then\n"
           "            ((position += 1))\n"
           "        fi\n"
           "    done\n"
           "    ((position < ${#positionals[@]})) && _quillmate_cli_offer "
           "\"${positionals[position]}\"\n"
           "}\n\n"
           "complete -F _quillmate_cli quillmate-cli\n";
}
