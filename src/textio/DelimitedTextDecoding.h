#pragma once

#include <string>
#include <string_view>

// The bytes of a delimited text file as UTF-8 text. Spreadsheets save "Unicode text" as
// UTF-16 with a byte-order mark; that is converted. Anything else is UTF-8 when it is valid
// UTF-8 (a byte-order mark is dropped) and Windows-1252 otherwise.
[[nodiscard]] std::string decodeDelimitedText(std::string_view bytes);
