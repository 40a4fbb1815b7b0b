#pragma once

// Guards of what a whole test process shares: an environment variable, TZ, the working
// folder. Each puts back what it found, also when an assertion ends the test early.

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

// Sets an environment variable (unsets it for nullptr) for the life of the guard and
// restores it afterwards, also when an assertion leaves the test early.
class EnvGuard {
public:
    EnvGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvGuard() { previous_ ? setenv(name_, previous_->c_str(), 1) : unsetenv(name_); }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    const char* name_;
    std::optional<std::string> previous_;
};

// The same for TZ, which the C library reads again only when told.
class TzGuard {
public:
    explicit TzGuard(const char* zone) : zone_("TZ", zone) { tzset(); }

private:
    struct Reread {
        ~Reread() { tzset(); }
    } reread_;  // destroyed after zone_ is restored
    EnvGuard zone_;
};

// Works in `folder` for the life of the guard and goes back afterwards.
class CwdGuard {
public:
    explicit CwdGuard(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CwdGuard() { std::filesystem::current_path(previous_); }
    CwdGuard(const CwdGuard&) = delete;
    CwdGuard& operator=(const CwdGuard&) = delete;

private:
    std::filesystem::path previous_;
};
