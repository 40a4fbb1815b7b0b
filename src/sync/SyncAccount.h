#pragma once

#include <string>

class SettingsStore;

// The account a document syncs with, kept in the settings under the document's key, so
// that each document has its own. The password is never here: it lives in the desktop's
// keyring under passwordKey().
struct SyncAccount {
    std::string url;  // the server, a principal or a collection; "" for no account
    std::string user;
    std::string addressBook;  // a name or URL; "" for the first
    std::string calendar;     // a name or URL; "" for the first
    bool afterSave = false;   // sync after each save
    int everyMinutes = 0;     // sync every so many minutes while open; 0 for never
    // The SHA-256 fingerprint of a certificate that does not verify but that the user has
    // seen and trusted for this account; "" for none.
    std::string trustedCertificate;

    [[nodiscard]] bool configured() const { return !url.empty(); }
    // The keyring entry of the password: the same for the window and the command line.
    [[nodiscard]] std::string passwordKey() const { return passwordKeyFor(url, user); }
    [[nodiscard]] static std::string passwordKeyFor(const std::string& url,
                                                    const std::string& user);
};

// Whether a password given for `url` would travel unencrypted.
[[nodiscard]] bool sendsPasswordInClear(const std::string& url);

// The account of the document at `documentPath`; an empty one when none is stored.
[[nodiscard]] SyncAccount readSyncAccount(const SettingsStore& store,
                                          const std::string& documentPath);
void writeSyncAccount(SettingsStore& store, const std::string& documentPath,
                      const SyncAccount& account);
