#include "platform/UserLanguage.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/Translate.h"

namespace {

std::string& foundDir() {
    static std::string dir;
    return dir;
}

// The folder with our catalogues: the build tree's or a relocated installation's share/locale
// beside the executable first, then where the program was installed.
std::string localeDir(const std::string& installedLocaleDir) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path beside = program.parent_path().parent_path() / "share" / "locale";
        if (fs::is_directory(beside, error)) return beside.string();
    }
    return installedLocaleDir;
}

bool isPlainC(const char* locale) {
    return locale == nullptr || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0;
}

// What the environment's locale needs on top: C numbers, and messages that follow LANGUAGE.
void adjustLocale() {
    // printf, strtod and atof would write and read a decimal comma under a German locale.
    std::setlocale(LC_NUMERIC, "C");
    // glibc ignores LANGUAGE while the messages' locale is C, which it is on a machine with
    // no LANG; C.UTF-8 lets LANGUAGE=de choose German there.
    const char* language = std::getenv("LANGUAGE");
    if (language != nullptr && *language != '\0' && isPlainC(std::setlocale(LC_MESSAGES, nullptr)))
        std::setlocale(LC_MESSAGES, "C.UTF-8");
}

}  // namespace

void useUserLanguage(const std::string& installedLocaleDir) {
    std::setlocale(LC_ALL, "");
    adjustLocale();
    if (foundDir().empty()) foundDir() = localeDir(installedLocaleDir);
    bindtextdomain(kTextDomain, foundDir().c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
}

void useUserLanguageAgain() {
    if (!foundDir().empty()) adjustLocale();
}
