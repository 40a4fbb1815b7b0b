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
    size_t offset = 0;                    // where it starts in the text
    size_t line = 1;                      // its line number, from 1
    std::vector<std::string> names;       // the names as written
    std::vector<std::string> fields;      // the field each column is read into, "" for none
    std::vector<std::string> alternates;  // the field a column fills in want of its own
};

// The header among the first `maxLines` records of `text` (some programs write a title or
// a date first): the first line whose names map to two fields or more, else the first that
// maps one. The first such line, not the one mapping most: a record of a contacts file
// holds words such as "Home", "Work" and "Mobile" under a header that names fewer known
// columns. Nothing when no line names a field.
[[nodiscard]] std::optional<HeaderLine> findHeaderLine(TransferKind kind, std::string_view text,
                                                       const FieldTokenizer& tokenizer,
                                                       size_t maxLines = 10);

// guessFormat over the first lines of a whole text: the guess of the line it splits into
// the most fields, so that a title line before the header does not decide.
[[nodiscard]] FormatGuess guessTextFormat(std::string_view text, size_t maxLines = 10);
