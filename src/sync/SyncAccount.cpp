#include "sync/SyncAccount.h"

#include <algorithm>

#include "fileio/UserFolders.h"
#include "platform/SettingsStore.h"

namespace {

// The longest automatic interval: a day.
constexpr int kMostMinutes = 24 * 60;

std::string sectionOf(const std::string& documentPath) {
    return "Sync " + documentKey(documentPath);
}

}  // namespace

std::string SyncAccount::passwordKeyFor(const std::string& url, const std::string& user) {
    return user + "@" + url;
}

bool sendsPasswordInClear(const std::string& url) {
    return url.starts_with("http://");
}

SyncAccount readSyncAccount(const SettingsStore& store, const std::string& documentPath) {
    SyncAccount account;
    const std::string section = sectionOf(documentPath);
    if (!store.hasSection(section)) return account;
    const auto text = [&](const char* name) { return store.readText(section, name).value_or(""); };
    account.url = text("Url");
    account.user = text("User");
    account.addressBook = text("AddressBook");
    account.calendar = text("Calendar");
    account.trustedCertificate = text("TrustedCertificate");
    account.afterSave = store.readNumber(section, "SyncAfterSave").value_or(0) != 0;
    account.everyMinutes = static_cast<int>(std::min<uint32_t>(
        store.readNumber(section, "SyncEveryMinutes").value_or(0), kMostMinutes));
    return account;
}

void writeSyncAccount(SettingsStore& store, const std::string& documentPath,
                      const SyncAccount& account) {
    const std::string section = sectionOf(documentPath);
    store.writeText(section, "Url", account.url);
    store.writeText(section, "User", account.user);
    store.writeText(section, "AddressBook", account.addressBook);
    store.writeText(section, "Calendar", account.calendar);
    store.writeText(section, "TrustedCertificate", account.trustedCertificate);
    store.writeNumber(section, "SyncAfterSave", account.afterSave ? 1 : 0);
    store.writeNumber(section, "SyncEveryMinutes",
                      static_cast<uint32_t>(std::clamp(account.everyMinutes, 0, kMostMinutes)));
}
