#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "organizer/MissingProgram.h"
#include "platform/ContactLauncher.h"

class UserPrompts;

// The address a web page is opened at: as stored when it is a web address ("https://...",
// "http://", "ftp://"), else with "http://" in front.
[[nodiscard]] std::string webPageUrl(const std::string& stored);
// "mailto:" followed by the addresses, each encoded, joined with ";".
[[nodiscard]] std::string mailUrl(const std::vector<std::string>& addresses);
// An address as the data of a mail link: every byte but letters, digits and "-._~!$'()*+:@"
// percent-encoded, so that nothing stored in it ("?attach=...&cc=...") reaches the mail
// program as a header.
[[nodiscard]] std::string encodedMailAddress(std::string_view address);
// "tel:" followed by the number encoded as a mail address is, so that nothing stored with it
// ("#", "?", ";") reaches the dialer as more than the number.
[[nodiscard]] std::string telUrl(std::string_view number);
// The message for a call that was not placed; "" when it was.
[[nodiscard]] std::string dialFailureMessage(DialOutcome outcome);

// The phone book's one-click actions: each hands its text to the launcher and tells the
// user, in a message box, when the desktop refused it; where no program was there to take
// it, the box offers to copy the text instead. The document is never changed.
class ContactActions {
public:
    ContactActions(ContactLauncher& launcher, UserPrompts& prompts)
        : launcher_(launcher), prompts_(prompts) {}

    // Dials a number; a text without any digit is not a number. Nothing for "".
    void dial(const std::string& number);
    // Writes a mail to one address. Nothing for "".
    void mail(const std::string& address);
    // Opens a web page. Nothing for "".
    void openWebPage(const std::string& stored);
    // Writes one mail to every address (none gives a bare "mailto:").
    void mailGroup(const std::vector<std::string>& addresses);

private:
    // `copied` is what the user may take to the clipboard when no mail program started.
    void openMail(const std::string& url, const std::string& copied);
    // Says that no program of that kind took `text` and offers to copy it.
    void offerCopy(ContactProgram program, const std::string& text, const char* caption);

    ContactLauncher& launcher_;
    UserPrompts& prompts_;
};
