#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "textio/FieldTokenizer.h"
#include "textio/FormatGuess.h"
#include "textio/TextTransferSpec.h"

// The line of a file that names its columns.
struct HeaderLine {
    size_t offset = 0;                // where it starts in the text
    size_t line = 1;                  // its line number, from 1
    std::vector<std::string> names;   // the names as written
    std::vector<std::string> fields;  // the field each column is read into, "" for none
};

// The header among the first `maxLines` records of `text` (some programs write a title or
// a date first): the one whose names map to the most fields, the first of equals. Nothing
// when no line names a field.
[[nodiscard]] std::optional<HeaderLine> findHeaderLine(TransferKind kind, std::string_view text,
                                                       const FieldTokenizer& tokenizer,
                                                       size_t maxLines = 10);

// guessFormat over the first lines of a whole text: the guess of the line it splits into
// the most fields, so that a title line before the header does not decide.
[[nodiscard]] FormatGuess guessTextFormat(std::string_view text, size_t maxLines = 10);
