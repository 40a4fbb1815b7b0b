#pragma once

#include <string>
#include <vector>

#include "platform/ContactLauncher.h"

// Records the calls, mails, pages and copies asked for, and answers as told.
class FakeLauncher : public ContactLauncher {
public:
    DialOutcome dial(const std::string& link) override {
        dialled.push_back(link);
        return outcome;
    }
    bool open(const std::string& url) override {
        opened.push_back(url);
        return opens;
    }
    void copyToClipboard(const std::string& text) override { copied.push_back(text); }

    DialOutcome outcome = DialOutcome::Placed;
    bool opens = true;
    std::vector<std::string> dialled, opened, copied;
};
