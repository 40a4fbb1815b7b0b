#pragma once

#include <string>

// How a request to place a call ended.
enum class DialOutcome { Placed, InvalidNumber, QueueFull, NoDialer, Failed };

// Hands a telephone number or an address to the desktop's own programs: the dialer, the
// mail program, the browser.
class ContactLauncher {
public:
    virtual ~ContactLauncher() = default;
    // Asks the desktop to place a call through a "tel:" link, its number already encoded.
    virtual DialOutcome dial(const std::string& link) = 0;
    // Opens a "mailto:" or web address with its program; false when that failed, as it
    // does when the desktop names no program for the address.
    virtual bool open(const std::string& url) = 0;
    // Puts the text on the clipboard, for the user to paste where no program took it.
    virtual void copyToClipboard(const std::string& text) = 0;
};
