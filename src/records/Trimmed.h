#pragma once

#include <string_view>

// Space, tab, CR and LF: the blanks texts are trimmed of unless a format says otherwise.
inline constexpr std::string_view kBlanks = " \t\r\n";

// trimmed() where an end of `text` is one of `blanks`.
[[nodiscard]] std::string_view trimmedEnds(std::string_view text, std::string_view blanks);

// `text` without the bytes of `blanks` at either end.
[[nodiscard]] inline std::string_view trimmed(std::string_view text,
                                              std::string_view blanks = kBlanks) {
    // Most texts have nothing to trim, which two looks at their ends settle; written out, the
    // looks come down to a few comparisons where `blanks` is a constant.
    const auto isBlank = [&](char c) {
        for (const char blank : blanks) {
            if (c == blank) return true;
        }
        return false;
    };
    if (text.empty() || (!isBlank(text.front()) && !isBlank(text.back()))) return text;
    return trimmedEnds(text, blanks);
}
