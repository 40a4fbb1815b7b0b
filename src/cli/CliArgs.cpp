#include "cli/CliArgs.h"

#include <algorithm>
#include <charconv>

#include "records/DateTime.h"

namespace {

bool readNumber(std::string_view text, size_t pos, size_t len, int& value) {
    if (pos + len > text.size()) return false;
    const char* first = text.data() + pos;
    const auto [end, ec] = std::from_chars(first, first + len, value);
    return ec == std::errc() && end == first + len;
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::optional<LocalTime> parseNowOption(std::string_view text) {
    // 0123456789012345
    // YYYY-MM-DD HH:MM
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':') {
        return std::nullopt;
    }
    LocalTime t;
    if (!readNumber(text, 0, 4, t.year) || !readNumber(text, 5, 2, t.month) ||
        !readNumber(text, 8, 2, t.day) || !readNumber(text, 11, 2, t.hour) ||
        !readNumber(text, 14, 2, t.minute)) {
        return std::nullopt;
    }
    if (!DateTime::fromFields(t.year, t.month, t.day, t.hour, t.minute).isValid()) {
        return std::nullopt;
    }
    return t;
}

std::optional<DateTime> parseDateOption(std::string_view text) {
    if (text.size() != 10) return std::nullopt;
    const std::string withTime = std::string(text) + " 00:00";
    const auto day = parseNowOption(withTime);
    if (!day) return std::nullopt;
    return DateTime::fromFields(day->year, day->month, day->day);
}

Status CliArgs::parse(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                      const std::vector<std::string>& flags) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            positional_.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        if (contains(flags, name)) {
            options_.emplace_back(name, "");
        } else if (contains(valued, name)) {
            if (i + 1 >= args.size())
                return Status::failure(FailureKind::Usage, "", "option " + arg + " needs a value");
            options_.emplace_back(name, args[++i]);
        } else {
            return Status::failure(FailureKind::Usage, "", "unknown option " + arg);
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
