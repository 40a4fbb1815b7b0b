#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

// What a look over the lines of an iCalendar file finds before libical reads it.
struct Outline {
    // The lines where components begin, in order, by their names in upper case.
    std::map<std::string, std::vector<size_t>> beginLines;
    bool hasCalendar = false;
    bool hasEntries = false;  // events or to-dos
    Status status;
};

// The outline of the text: where components begin, and a Content failure for components
// nested deeper than any calendar nests them (libical frees components by recursion).
[[nodiscard]] Outline outlineOf(std::string_view text);

// The text with its folded lines joined and each line as UTF-8 (valueAsUtf8). Joined
// first, since a writer may fold a line inside a character, whose halves would otherwise
// each be read as Windows-1252. Lines end in CR LF; a carriage return inside a line is an
// escaped line break ("\n"), and several before a line feed end the line as one.
[[nodiscard]] std::string unfoldedText(std::string_view bytes);
