#pragma once

#include <string>
#include <string_view>
#include <vector>

struct VCardLine;

// How the values of a card are escaped: version 2.1 escapes only ";" inside structured
// values, later versions escape "\", ",", ";" and line breaks everywhere.
enum class VCardEscaping { Version21, Backslash };

// The bytes of a quoted-printable value: "=XX" is the byte XX; an "=" not followed by two
// hexadecimal digits stays as it is.
[[nodiscard]] std::string decodeQuotedPrintable(std::string_view text);

// Bytes in the character set `charset` (a CHARSET parameter, "" for none) as UTF-8. Without
// a character set, or with UTF-8, the bytes are read as UTF-8, and a value that is not UTF-8
// wholly as Windows-1252; Latin-1 and Windows-1252 are read as Windows-1252; any other set the
// system knows is converted by it, and one it does not know is read as without a set.
[[nodiscard]] std::string toUtf8(std::string_view bytes, std::string_view charset);

// The value of a line as UTF-8 text, still escaped: quoted-printable decoded and the
// character set converted. `fileIsUnicode` when the file was UTF-16, whose values no
// longer have the character set their parameters name. The result views the line, or
// `scratch` when the value had to be converted. `textIsUtf8` when the whole text is known to
// be UTF-8, so that its values need no look of their own.
[[nodiscard]] std::string_view decodedValue(const VCardLine& line, bool fileIsUnicode,
                                            bool textIsUtf8, std::string& scratch);

// The value split at each unescaped `separator`, each part still escaped.
[[nodiscard]] std::vector<std::string_view> splitEscaped(std::string_view value, char separator,
                                                         VCardEscaping escaping);
// As splitEscaped(), into `parts`, which keeps its room from one call to the next.
void splitEscapedInto(std::string_view value, char separator, VCardEscaping escaping,
                      std::vector<std::string_view>& parts);
// The value split at each unescaped `separator`, each part unescaped.
[[nodiscard]] std::vector<std::string> splitValue(std::string_view value, char separator,
                                                  VCardEscaping escaping);

// The value unescaped: with backslash escaping "\n" is a line break and "\x" is x.
[[nodiscard]] std::string unescapeValue(std::string_view value, VCardEscaping escaping);
