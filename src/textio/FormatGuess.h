#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// One choice of the wizard's separator or encloser list: what it reads and what it stores.
struct FormatChoice {
    const char* label;
    const char* value;
};

// The separator list, in the wizard's order: comma, semicolon, pipe, space, tab.
[[nodiscard]] const std::array<FormatChoice, 5>& separatorChoices();
// The encloser list, in the wizard's order: double quote, single quote, nothing.
[[nodiscard]] const std::array<FormatChoice, 3>& encloserChoices();

// The separator and encloser a first line most likely uses, as indices into the lists.
struct FormatGuess {
    size_t separator = 0;  // comma unless the line says otherwise
    size_t encloser = 0;   // double quote unless the line says otherwise
};

// Guesses from the first line of a file: the separator is the candidate found most often
// outside enclosed fields (tab, semicolon, pipe and comma before space, which also stands
// inside names); the encloser is the quote that starts a field.
[[nodiscard]] FormatGuess guessFormat(std::string_view firstLine);
