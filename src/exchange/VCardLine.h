#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One parameter value of a content line. A list ("TYPE=work,voice") gives one entry per
// item, and the bare words of version 2.1 ("TEL;HOME;VOICE:") are TYPE values, except the
// encodings, which are ENCODING values.
struct VCardParameter {
    std::string name;   // upper case
    std::string value;  // as written, without quotes
};

// One unfolded content line of a vCard: [group "."] name *(";" parameter) ":" value.
struct VCardLine {
    VCardLine() = default;
    VCardLine(const VCardLine& other) { *this = other; }
    VCardLine& operator=(const VCardLine& other);

    std::string_view group;  // "item1" of "item1.TEL"; "" for none
    // Upper case: a view of the text where it has the name so, as it mostly does, or of the
    // line's own upper-cased copy.
    std::string_view name;
    std::vector<VCardParameter> parameters;
    std::string_view value;  // raw: still encoded and escaped
    size_t lineNumber = 0;   // the physical line it starts on, from 1

    // Whether a parameter `name` (upper case) has `value`, compared without case.
    [[nodiscard]] bool has(std::string_view name, std::string_view value) const;
    // Whether any parameter is called `name` (upper case).
    [[nodiscard]] bool hasParameter(std::string_view name) const;
    // The first value of the parameter `name` (upper case); "" for none.
    [[nodiscard]] std::string_view parameter(std::string_view name) const;

private:
    friend bool parseVCardLine(std::string_view text, size_t lineNumber, VCardLine& line);
    std::string upperName_;  // the name, when the text has it in lower case
};

// Reads `text` (a view that `line` keeps pointing into) as a content line; false, with
// `line` undefined, when it has no name or no colon.
[[nodiscard]] bool parseVCardLine(std::string_view text, size_t lineNumber, VCardLine& line);

// Whether the line begins or ends a card: `name` "BEGIN" or "END" with the value VCARD.
[[nodiscard]] bool isCardBoundary(const VCardLine& line, std::string_view name);

// Whether two ASCII texts are equal but for case.
[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b);
