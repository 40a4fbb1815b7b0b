#pragma once

#include <string>
#include <string_view>

// The bytes of a delimited text file as UTF-8 text. Spreadsheets save "Unicode text" as
// UTF-16 with a byte-order mark; that is converted. Anything else is UTF-8 (a byte-order
// mark is dropped), with each byte that is not part of a UTF-8 character read as
// Windows-1252.
[[nodiscard]] std::string decodeDelimitedText(std::string_view bytes);

// The same without a copy where none is needed: a view of `bytes` when they are UTF-8
// already (without a leading byte-order mark), else of `converted`, which receives them
// converted.
[[nodiscard]] std::string_view decodeDelimitedText(std::string_view bytes, std::string& converted);
