#pragma once

#include <optional>
#include <string>
#include <string_view>

// The bytes of a delimited text file as UTF-8 text. Spreadsheets save "Unicode text" as
// UTF-16, mostly with a byte-order mark; that is converted, and so is UTF-16 without the
// mark when its zero bytes give it away. Anything else is UTF-8 (a byte-order mark is
// dropped), with each byte that is not part of a UTF-8 character read as Windows-1252.
// Lines may end in CR LF, LF or a CR alone (as old Macintosh programs wrote them): a CR
// that no LF follows becomes an LF, so that every reader sees one kind of line end.
[[nodiscard]] std::string decodeDelimitedText(std::string_view bytes);

// The same without a copy where none is needed: a view of `bytes` when they are UTF-8
// already (without a leading byte-order mark), else of `converted`, which receives them
// converted.
[[nodiscard]] std::string_view decodeDelimitedText(std::string_view bytes, std::string& converted);

// The same for bytes known to be well-formed UTF-8 without a zero byte (as a file's
// reading may have found), which are not looked through for their encoding again.
[[nodiscard]] std::string_view decodeUtf8DelimitedText(std::string_view bytes,
                                                       std::string& converted);

// Whether `bytes` are UTF-16 without a byte-order mark, and if so whether big-endian: text
// of mostly Latin letters has a zero byte in every other place.
[[nodiscard]] std::optional<bool> utf16WithoutMark(std::string_view bytes);

// Whether the bytes can be read as text at all: a zero byte outside UTF-16 text means a
// program's own binary file (a spreadsheet, an archive), which would import as garbage.
[[nodiscard]] bool isDelimitedText(std::string_view bytes);
