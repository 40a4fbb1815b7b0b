#include "cli/CliArgs.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "platform/Translate.h"
#include "records/DateTime.h"
#include "records/TimeOfDayText.h"

namespace {

bool readNumber(std::string_view text, size_t pos, size_t len, int& value) {
    if (pos + len > text.size()) return false;
    // Digits only: from_chars would take a sign.
    for (size_t i = pos; i < pos + len; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    const char* first = text.data() + pos;
    const auto [end, ec] = std::from_chars(first, first + len, value);
    return ec == std::errc() && end == first + len;
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::optional<LocalTime> parseDateOption(std::string_view text) {
    // 0123456789
    // YYYY-MM-DD
    LocalTime t;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !readNumber(text, 0, 4, t.year) ||
        !readNumber(text, 5, 2, t.month) || !readNumber(text, 8, 2, t.day) ||
        !DateTime::fromFields(t.year, t.month, t.day).isValid()) {
        return std::nullopt;
    }
    return t;
}

std::optional<DateTime> parseDayOption(std::string_view text) {
    const auto day = parseDateOption(text);
    if (!day) return std::nullopt;
    return DateTime::fromFields(day->year, day->month, day->day);
}

std::optional<LocalTime> parseTimeOption(std::string_view text) {
    const auto minute = readTimeOfDay(text, kStrictTimeRules);
    if (!minute) return std::nullopt;
    LocalTime t;
    t.hour = *minute / 60;
    t.minute = *minute % 60;
    return t;
}

std::optional<LocalTime> parseNowOption(std::string_view text) {
    // YYYY-MM-DD HH:MM
    if (text.size() != 16 || text[10] != ' ') return std::nullopt;
    auto t = parseDateOption(text.substr(0, 10));
    const auto time = parseTimeOption(text.substr(11));
    if (!t || !time) return std::nullopt;
    t->hour = time->hour;
    t->minute = time->minute;
    return t;
}

Status CliArgs::parse(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                      const std::vector<std::string>& flags) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // After "--" every argument is taken as it stands: a description may start with "--".
        if (optionsEnded) {
            positional_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // "-o" is an option only where the command has one of that letter; elsewhere it
        // stays the file name it always was.
        const bool shortOption =
            arg.size() == 2 && arg[0] == '-' && arg[1] != '-' &&
            (contains(valued, arg.substr(1)) || contains(flags, arg.substr(1)));
        if (!shortOption && (arg.size() < 3 || arg.compare(0, 2, "--") != 0)) {
            positional_.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(shortOption ? 1 : 2);
        if (contains(flags, name)) {
            options_.emplace_back(name, "");
        } else if (contains(valued, name)) {
            if (i + 1 >= args.size())
                return Status::failure(FailureKind::Usage, "",
                                       fillIn(_("option %s needs a value"), {arg}));
            options_.emplace_back(name, args[++i]);
        } else {
            return Status::failure(FailureKind::Usage, "", fillIn(_("unknown option %s"), {arg}));
        }
    }
    return {};
}

bool CliArgs::has(const std::string& name) const {
    return std::any_of(options_.begin(), options_.end(),
                       [&](const auto& option) { return option.first == name; });
}

std::optional<std::string> CliArgs::value(const std::string& name) const {
    // The last occurrence wins, as users expect when they repeat an option.
    for (auto it = options_.rbegin(); it != options_.rend(); ++it) {
        if (it->first == name) return it->second;
    }
    return std::nullopt;
}

std::vector<std::string> CliArgs::values(const std::string& name) const {
    std::vector<std::string> given;
    for (const auto& [option, value] : options_) {
        if (option == name) given.push_back(value);
    }
    return given;
}
