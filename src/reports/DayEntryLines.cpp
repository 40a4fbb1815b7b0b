#include "reports/DayEntryLines.h"

#include <algorithm>

namespace {

// The length of the UTF-8 character that starts with `lead`.
size_t characterLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Splits a word too wide for a line into pieces that fit, at least one character each.
void breakWord(std::string_view word, int width, const TextWidthOf& widthOf,
               std::vector<std::string>& lines) {
    std::string piece;
    for (size_t i = 0; i < word.size();) {
        const size_t n =
            std::min(characterLength(static_cast<unsigned char>(word[i])), word.size() - i);
        const std::string_view character = word.substr(i, n);
        if (!piece.empty() && widthOf(piece + std::string(character)) > width) {
            lines.push_back(std::move(piece));
            piece.clear();
        }
        piece += character;
        i += n;
    }
    if (!piece.empty()) lines.push_back(std::move(piece));
}

}  // namespace

std::vector<std::string> wrapText(std::string_view text, int width, const TextWidthOf& widthOf) {
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at < text.size()) {
        const size_t blank = text.find_first_of(" \t\r\n", at);
        const size_t end = blank == std::string_view::npos ? text.size() : blank;
        const std::string_view word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        const std::string joined =
            line.empty() ? std::string(word) : line + " " + std::string(word);
        if (widthOf(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty()) lines.push_back(std::move(line));
        line.clear();
        if (widthOf(word) <= width) {
            line = word;
            continue;
        }
        breakWord(word, width, widthOf, lines);
        line = std::move(lines.back());  // the last piece may take more words
        lines.pop_back();
    }
    if (!line.empty() || lines.empty()) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> fitDayEntries(const std::vector<std::string>& entries, int width,
                                       int lineCount, const TextWidthOf& widthOf) {
    std::vector<std::vector<std::string>> wrapped;
    size_t total = 0;
    for (const std::string& entry : entries) {
        wrapped.push_back(wrapText(entry, width, widthOf));
        total += wrapped.back().size();
    }
    std::vector<std::string> lines;
    if (lineCount <= 0) return lines;
    const size_t room = size_t(lineCount);
    // Everything fits, or all but the last line are kept for whole entries.
    const size_t forEntries = total <= room ? room : room - 1;
    size_t shown = 0;
    for (; shown < wrapped.size(); ++shown) {
        if (lines.size() + wrapped[shown].size() > forEntries) break;
        lines.insert(lines.end(), wrapped[shown].begin(), wrapped[shown].end());
    }
    if (shown < wrapped.size())
        lines.push_back("+" + std::to_string(wrapped.size() - shown) + " more");
    return lines;
}
