#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The width of a text in the font it is drawn in.
using TextWidthOf = std::function<int(std::string_view)>;

// `text` broken into lines no wider than `width`: at blanks where it can, inside a word
// too long for a line of its own (never inside a character).
[[nodiscard]] std::vector<std::string> wrapText(std::string_view text, int width,
                                                const TextWidthOf& widthOf);

// The lines a day's entries fill in a box of `lineCount` lines of `width`. Entries are
// shown whole, in order; when they do not all fit, the last line says how many are left
// out ("+3 more"), so that a printed plan never passes for complete when it is not.
[[nodiscard]] std::vector<std::string> fitDayEntries(const std::vector<std::string>& entries,
                                                     int width, int lineCount,
                                                     const TextWidthOf& widthOf);
