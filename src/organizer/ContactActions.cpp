#include "organizer/ContactActions.h"
#include "platform/HexEscape.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/UserPrompts.h"

std::string webPageUrl(const std::string& stored) {
    // Only web addresses open as they are: a stored "file:" or program address, from a
    // shared or imported document, must not reach the desktop's handlers for them.
    for (const std::string_view scheme : {"http://", "https://", "ftp://"}) {
        if (stored.size() >= scheme.size() &&
            std::equal(scheme.begin(), scheme.end(), stored.begin(), [](char a, char b) {
                return a == std::tolower(static_cast<unsigned char>(b));
            }))
            return stored;
    }
    return "http://" + stored;
}

std::string mailUrl(const std::vector<std::string>& addresses) {
    std::string url = "mailto:";
    for (size_t i = 0; i < addresses.size(); ++i) {
        if (i != 0) url.push_back(';');
        url.append(encodedMailAddress(addresses[i]));
    }
    return url;
}

namespace {

// Text as the data of a link: letters, digits and the few marks that mean nothing to a mail
// or phone link stay as they are. "?", "&", "#", "%", "," and ";" would start headers (a
// copy, an attachment), parameters or more addresses.
std::string encodedLinkData(std::string_view text) {
    static constexpr std::string_view kKept = "-._~!$'()*+:@";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x80 && std::isalnum(byte) != 0) || kKept.find(c) != std::string_view::npos)
            encoded += c;
        else
            appendHexEscape(encoded, "%", byte);
    }
    return encoded;
}

}  // namespace

std::string encodedMailAddress(std::string_view address) {
    return encodedLinkData(address);
}

std::string telUrl(std::string_view number) {
    return "tel:" + encodedLinkData(number);
}

std::string dialFailureMessage(DialOutcome outcome) {
    switch (outcome) {
        case DialOutcome::Placed:
            return {};
        case DialOutcome::InvalidNumber:
            return _(
                "The number you have tried to dial is not valid. Please correct it and try "
                "again.");
        case DialOutcome::QueueFull:
            return _("Your calling queue is full. Please try again later");
        case DialOutcome::NoDialer:
            return _(
                "There is no phone dialer active on your computer. Ifyou have not done so, "
                "please install the phone dialer applet from Windows Setup");
        case DialOutcome::Failed:
            break;
    }
    return _("Unknown error. The call could not be placed.");
}

void ContactActions::dial(const std::string& number) {
    if (number.empty()) return;
    const bool hasDigit =
        std::any_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
    const DialOutcome outcome =
        hasDigit ? launcher_.dial(telUrl(number)) : DialOutcome::InvalidNumber;
    if (outcome == DialOutcome::NoDialer)
        offerCopy(ContactProgram::Dialer, number, _("Calling Error"));
    else if (outcome != DialOutcome::Placed)
        prompts_.showMessage(dialFailureMessage(outcome), _("Calling Error"), MessageIcon::Error);
}

void ContactActions::mail(const std::string& address) {
    if (!address.empty()) openMail(mailUrl({address}), address);
}

void ContactActions::mailGroup(const std::vector<std::string>& addresses) {
    // Pasted into a mail program's "To:" line, commas part the addresses.
    std::string copied;
    for (const std::string& address : addresses)
        copied += (copied.empty() ? "" : ", ") + address;
    openMail(mailUrl(addresses), copied);
}

void ContactActions::openMail(const std::string& url, const std::string& copied) {
    if (!launcher_.open(url)) offerCopy(ContactProgram::Mail, copied, _("E-Mail Error"));
}

void ContactActions::openWebPage(const std::string& stored) {
    if (stored.empty()) return;
    const std::string url = webPageUrl(stored);
    if (!launcher_.open(url)) offerCopy(ContactProgram::Browser, url, _("Web Browser Error"));
}

void ContactActions::offerCopy(ContactProgram program, const std::string& text,
                               const char* caption) {
    const MessageButtons buttons = text.empty() ? MessageButtons::Ok : MessageButtons::YesNo;
    if (prompts_.showMessage(missingProgramMessage(program, text), caption, MessageIcon::Error,
                             buttons) == MessageAnswer::Yes)
        launcher_.copyToClipboard(text);
}
