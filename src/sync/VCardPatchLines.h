#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/VCardLine.h"
#include "exchange/VCardValue.h"

// How the patch of a server's card writes its lines, as the card's version wants them.

// Whether `word` stands anywhere in `text`, whatever its case.
[[nodiscard]] bool hasWordIgnoringCase(std::string_view text, std::string_view word);
// Text escaped for a value of a card of that escaping. Version 2.1 escapes only ";" and
// keeps line breaks as they are, which then go quoted-printable (see encodedCardLine).
[[nodiscard]] std::string escapedForCard(std::string_view text, VCardEscaping escaping);
// The escaped parts of a structured value joined by ";". A part ending in a backslash that
// escapes nothing gets a second one, or in version 2.1, which cannot escape one, a blank,
// which readers trim: otherwise it would escape the ";" after it.
[[nodiscard]] std::string joinedCardParts(const std::vector<std::string>& parts,
                                          VCardEscaping escaping);
// A line of a version 2.1 card whose value holds a line break, which that version can only
// write quoted-printable; a raw one in a later version's value goes as "\n"; other lines as
// they are.
[[nodiscard]] std::string encodedCardLine(std::string_view head, std::string_view value,
                                          VCardEscaping escaping);
// Appends one line, folded; a quoted-printable one is broken with soft line breaks instead.
void appendCardLine(std::string& out, std::string_view line);
// The line rewritten with a new value: group, name and parameters kept, but the encoding
// and character set, which described the old value.
[[nodiscard]] std::string rewrittenCardLine(const VCardLine& line, std::string_view value,
                                            VCardEscaping escaping);
