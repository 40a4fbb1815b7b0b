#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

// Text made safe for roff: backslashes and minus signs are escaped, and a line that would
// start with a control character ("." or "'") starts with a zero-width "\&" instead.
[[nodiscard]] std::string roffEscaped(std::string_view text);

// Writes the manual page of quillmate-cli, in man macros, from the help it prints.
void writeCliManPage(std::ostream& out, std::string_view version, std::string_view date);
