#pragma once

#include "platform/ContactLauncher.h"

// Hands numbers and addresses to the desktop: a "tel:" address to the program the
// desktop keeps for it, "mailto:" and web addresses to the mail program and browser.
class DesktopContactLauncher : public ContactLauncher {
public:
    DialOutcome dial(const std::string& link) override;
    bool open(const std::string& url) override;
    void copyToClipboard(const std::string& text) override;
};
