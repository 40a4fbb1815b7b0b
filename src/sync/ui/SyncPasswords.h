#pragma once

#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/qt/KeyringPasswords.h"
#include "sync/SyncAccount.h"

class UserPrompts;

// The passwords of the sync accounts in the window: the desktop's keyring keeps them; where
// there is none, the user is asked once a session. Each is kept for the session once known,
// so that an automatic sync never asks a locked keyring again.
class SyncPasswords {
public:
    // Asks for a password the keyring cannot give, saying why; nothing when the user
    // cancels.
    using Prompt = std::function<std::optional<std::string>(const QString& why)>;

    // Reads the keyring's entry for a key, as keyring::readPassword does.
    using KeyringReader = std::function<keyring::Found(const std::string& key,
                                                       std::string& password, std::string& why)>;

    explicit SyncPasswords(UserPrompts& prompts) : prompts_(prompts) {}
    void setPrompt(Prompt prompt) { ask_ = std::move(prompt); }
    // Where the keyring is read; a test's own stands in for the desktop's.
    void setKeyringReader(KeyringReader reader) { readKeyring_ = std::move(reader); }

    // The password for the account: the session's, the keyring's, or asked (never when
    // `quiet`). False when there is none to be had.
    bool find(const SyncAccount& account, bool quiet, std::string& password);
    // Keeps the password in the keyring (or, without one, for the session, saying so); an
    // empty one is removed.
    void store(const SyncAccount& account, const std::string& password);
    // The server refused it: the next sync asks the keyring or the user again.
    void forget(const SyncAccount& account) { session_.erase(account.passwordKey()); }
    // Whether an answer is awaited in an event loop that still takes commands and timers.
    [[nodiscard]] bool asking() const { return asking_; }

private:
    UserPrompts& prompts_;
    Prompt ask_;
    KeyringReader readKeyring_ = keyring::readPassword;
    bool asking_ = false;
    std::map<std::string, std::string> session_;  // by keyring entry
};
