#pragma once

#include <string>
#include <string_view>

// Records keep line breaks as CR LF; files of other programs have LF, CR or CR LF.

// Every line break, of whichever kind, as CR LF.
[[nodiscard]] std::string withCrLf(std::string_view text);

// Every line break, of whichever kind, as LF, which the iCalendar writer escapes.
[[nodiscard]] std::string withLf(std::string_view text);
