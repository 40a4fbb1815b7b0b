#include "sync/ui/SyncPasswords.h"

#include <QScopeGuard>

#include "platform/Translate.h"
#include "platform/UserPrompts.h"
#include "platform/qt/KeyringPasswords.h"

bool SyncPasswords::find(const SyncAccount& account, bool quiet, std::string& password) {
    const std::string key = account.passwordKey();
    if (const auto it = session_.find(key); it != session_.end()) {
        password = it->second;
        return true;
    }
    asking_ = true;
    const auto released = qScopeGuard([this] { asking_ = false; });
    std::string why;
    QString question;
    switch (readKeyring_(key, password, why)) {
        case keyring::Found::Yes:
            session_[key] = password;
            return true;
        case keyring::Found::No:
            // Sent without one, the server would only refuse: the user is asked instead.
            password.clear();
            question = QString::fromUtf8(_("The keyring holds no password for %1, so it is asked "
                                           "once this session.\n\nPassword:"))
                           .arg(QString::fromStdString(key));
            break;
        case keyring::Found::NoKeyring:
            question = QString::fromUtf8(
                           _("No keyring is available to keep passwords (%1), so the password of "
                             "%2 is asked once each session.\n\nPassword:"))
                           .arg(QString::fromStdString(why), QString::fromStdString(key));
            break;
    }
    if (quiet || account.user.empty() || !ask_) return account.user.empty();
    const auto asked = ask_(question);
    if (!asked) return false;
    password = *asked;
    session_[key] = password;
    return true;
}

void SyncPasswords::store(const SyncAccount& account, const std::string& password) {
    const std::string key = account.passwordKey();
    std::string why;
    if (password.empty()) {
        session_.erase(key);
        keyring::removePassword(key);
        return;
    }
    session_[key] = password;
    if (keyring::writePassword(key, password, why)) return;
    prompts_.showMessage(
        QString::fromUtf8(
            _("No keyring is available to keep the password (%1). It is kept until Quillmate "
              "closes and asked again at the next session's first synchronization; it is never "
              "written to the settings or the document."))
            .arg(QString::fromStdString(why))
            .toStdString(),
        _("Accounts"), MessageIcon::Information);
}
