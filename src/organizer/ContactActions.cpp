#include "organizer/ContactActions.h"

#include <algorithm>
#include <cctype>

#include "platform/UserPrompts.h"

std::string webPageUrl(const std::string& stored) {
    // A scheme is letters, digits, "+", "-" or "." after a first letter, then "://" or ":"
    // as in "mailto:"; a bare host with a port ("example.org:8080") has digits only.
    const size_t colon = stored.find(':');
    if (colon != std::string::npos && colon > 0 &&
        std::isalpha(static_cast<unsigned char>(stored[0]))) {
        const bool schemeChars = std::all_of(stored.begin(), stored.begin() + colon, [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
        });
        const bool port = colon + 1 < stored.size() &&
                          std::isdigit(static_cast<unsigned char>(stored[colon + 1]));
        if (schemeChars && !port) return stored;
    }
    return "http://" + stored;
}

std::string mailUrl(const std::vector<std::string>& addresses) {
    std::string url = "mailto:";
    for (size_t i = 0; i < addresses.size(); ++i) {
        if (i != 0) url.push_back(';');
        url.append(addresses[i]);
    }
    return url;
}

std::string dialFailureMessage(DialOutcome outcome) {
    switch (outcome) {
        case DialOutcome::Placed:
            return {};
        case DialOutcome::InvalidNumber:
            return "The number you have tried to dial is not valid. Please correct it and try "
                   "again.";
        case DialOutcome::QueueFull:
            return "Your calling queue is full. Please try again later";
        case DialOutcome::NoDialer:
            return "There is no phone dialer active on your computer. Ifyou have not done so, "
                   "please install the phone dialer applet from Windows Setup";
        case DialOutcome::Failed:
            break;
    }
    return "Unknown error. The call could not be placed.";
}

void ContactActions::dial(const std::string& number) {
    if (number.empty()) return;
    const bool hasDigit =
        std::any_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
    const DialOutcome outcome = hasDigit ? launcher_.dial(number) : DialOutcome::InvalidNumber;
    if (outcome != DialOutcome::Placed)
        prompts_.showMessage(dialFailureMessage(outcome), "Calling Error", MessageIcon::Error);
}

void ContactActions::mail(const std::string& address) {
    if (!address.empty()) openMail(mailUrl({address}));
}

void ContactActions::mailGroup(const std::vector<std::string>& addresses) {
    openMail(mailUrl(addresses));
}

void ContactActions::openMail(const std::string& url) {
    if (!launcher_.open(url))
        prompts_.showMessage("Error opening E-mail client", "E-Mail Error", MessageIcon::Error);
}

void ContactActions::openWebPage(const std::string& stored) {
    if (stored.empty()) return;
    if (!launcher_.open(webPageUrl(stored)))
        prompts_.showMessage("Error opening web browser", "Web Browser Error", MessageIcon::Error);
}
