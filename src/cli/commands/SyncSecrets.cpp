#include "cli/commands/SyncSecrets.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "fileio/AtomicFile.h"
#include "platform/SecretKeeping.h"
#include "platform/Translate.h"
#include "platform/qt/KeyringPasswords.h"
#include "sync/SyncAccount.h"

namespace {

// "0644".
std::string modeText(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// Refuses a file that others may change (they could make the sync send its password
// elsewhere, or the user's to a server of theirs); tells of one that others may read. `read`
// is the stamp of the file the password was read from: one put in its place meanwhile is
// refused, so that the modes looked at are those of the file read.
Status checkPasswordFile(const std::string& file, const FileStamp& read, std::string& warning) {
    struct stat st {};
    if (stat(file.c_str(), &st) != 0 || stampOf(st).device != read.device ||
        stampOf(st).inode != read.inode)
        return Status::failure(FailureKind::Read, file,
                               _("the password file was replaced while it was read"));
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return Status::failure(
            FailureKind::Read, file,
            fillIn(_("others may change this password file (mode %s): make it yours alone "
                     "with chmod 600"),
                   {modeText(st.st_mode)}));
    if ((st.st_mode & (S_IRGRP | S_IROTH)) != 0)
        warning = file + ": " +
                  fillIn(_("others may read this password file (mode %s): chmod 600 keeps "
                           "it to you"),
                         {modeText(st.st_mode)});
    return {};
}

}  // namespace

std::string passwordOfText(std::string text) {
    const size_t end = text.find_first_of("\r\n");
    if (end == std::string::npos) return text;
    std::string password = text.substr(0, end);
    wipeSecret(text);
    return password;
}

Status readSyncPassword(const std::optional<std::string>& file, const std::string& url,
                        const std::string& user, std::string& password, std::string& warning) {
    if (file) {
        std::string text;
        FileStamp stamp;
        if (Status read = readWholeFile(*file, text, &stamp); !read) return read;
        if (Status checked = checkPasswordFile(*file, stamp, warning); !checked) {
            wipeSecret(text);
            return checked;
        }
        password = passwordOfText(std::move(text));
        return {};
    }
    if (const char* fromEnvironment = std::getenv(kPasswordVariable)) {
        password = passwordOfText(fromEnvironment);
        return {};
    }
    std::string why;
    if (!user.empty())
        (void)keyring::readPassword(SyncAccount::passwordKeyFor(url, user), password, why);
    return {};
}
