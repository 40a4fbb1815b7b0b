#pragma once

#include <string>
#include <string_view>

// The bytes of a delimited text file as UTF-8 text. Spreadsheets save "Unicode text" as
// UTF-16 with a byte-order mark; that is converted. Anything else is UTF-8 (a byte-order
// mark is dropped), with each byte that is not part of a UTF-8 character read as
// Windows-1252.
[[nodiscard]] std::string decodeDelimitedText(std::string_view bytes);
