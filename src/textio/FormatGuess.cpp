#include "textio/FormatGuess.h"
#include "platform/Translate.h"

#include <algorithm>

const std::array<FormatChoice, 5>& separatorChoices() {
    static const std::array<FormatChoice, 5> kChoices = {{{N_("Comma(,)"), ","},
                                                          {N_("Semi-colon(;)"), ";"},
                                                          {N_("Pipe(|)"), "|"},
                                                          {N_("Space"), " "},
                                                          {N_("Tab"), "\t"}}};
    return kChoices;
}

const std::array<FormatChoice, 3>& encloserChoices() {
    static const std::array<FormatChoice, 3> kChoices = {
        {{N_("Double Quote(\")"), "\""}, {N_("Single Quote(')"), "'"}, {N_("Nothing"), ""}}};
    return kChoices;
}

namespace {

// The quote that starts a field: at the start of the line or right after a candidate
// separator; 0 when no field starts with one.
char enclosingQuote(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c != '"' && c != '\'') continue;
        const char before = i == 0 ? ',' : line[i - 1];
        if (std::string_view(",;|\t ").find(before) != std::string_view::npos) return c;
    }
    return 0;
}

}  // namespace

FormatGuess guessFormat(std::string_view firstLine) {
    FormatGuess guess;
    const char quote = enclosingQuote(firstLine);
    guess.encloser = quote == '\'' ? 1 : 0;

    // Count each candidate outside the enclosed fields.
    std::array<size_t, 5> counts{};
    bool inside = false;
    for (const char c : firstLine) {
        if (quote != 0 && c == quote) inside = !inside;
        if (inside) continue;
        for (size_t i = 0; i < counts.size(); ++i)
            counts[i] += c == separatorChoices()[i].value[0];
    }
    // Spaces part words of names; they separate only when nothing else does.
    constexpr std::array<size_t, 4> kFirst = {4, 1, 2, 0};  // tab, semicolon, pipe, comma
    size_t best = 0;
    size_t bestCount = 0;
    for (const size_t i : kFirst) {
        if (counts[i] > bestCount) {
            best = i;
            bestCount = counts[i];
        }
    }
    if (bestCount == 0 && counts[3] > 0) best = 3;
    guess.separator = best;
    return guess;
}
