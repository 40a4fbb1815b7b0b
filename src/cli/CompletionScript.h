#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// What the shell may offer for one word: literal words, and whether files fit there.
// Documents are files named *.pgr; any file fits where other text files are read or written.
struct WordChoices {
    enum class Files { None, Documents, Any };
    std::vector<std::string> words;
    Files files = Files::None;

    bool operator==(const WordChoices&) const = default;
};

// The words of a command as its usage line shows them.
struct UsageShape {
    struct Option {
        std::string name;  // "--separator"
        bool takesValue = false;
        WordChoices value;  // empty when the value is free text

        bool operator==(const Option&) const = default;
    };
    std::vector<WordChoices> positionals;
    std::vector<Option> options;
};

// Reads a usage line such as "KIND DOC [--separator comma|tab] [--no-header]": "a|b" offers
// either word, a name in capitals stands for something the user supplies (FILE and DOC
// for a document, IN, OUT and PDF for any file, other names for free text), and an option
// ("--name" or "-x") followed by a word in the same brackets (or with no brackets at all)
// takes a value.
[[nodiscard]] UsageShape parseUsage(std::string_view usage);

// Writes the bash completion script of quillmate-cli from its command table and options.
void writeCliCompletion(std::ostream& out);
