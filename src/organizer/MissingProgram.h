#pragma once

#include <string>

// The desktop programs the phone book's buttons hand their texts to.
enum class ContactProgram { Dialer, Mail, Browser };

// What to tell the user when no program of that kind could take `text`: the message the
// button has always shown, then which kind is missing, and, for a text that is not empty, the offer
// to copy it to the clipboard (asked as a yes-or-no question).
[[nodiscard]] std::string missingProgramMessage(ContactProgram program, const std::string& text);
