#pragma once

#include <string_view>

// Space, tab, CR and LF: the blanks texts are trimmed of unless a format says otherwise.
inline constexpr std::string_view kBlanks = " \t\r\n";

// `text` without the bytes of `blanks` at either end.
[[nodiscard]] std::string_view trimmed(std::string_view text, std::string_view blanks = kBlanks);
