#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Status.h"
#include "records/DateTime.h"

// Reads "YYYY-MM-DD HH:MM" (the --now option); empty when malformed or not a real time.
[[nodiscard]] std::optional<LocalTime> parseNowOption(std::string_view text);
// Reads "YYYY-MM-DD"; empty when malformed or not a real date. Hour and minute are 0.
[[nodiscard]] std::optional<LocalTime> parseDateOption(std::string_view text);
// The same day as a DateTime at 00:00.
[[nodiscard]] std::optional<DateTime> parseDayOption(std::string_view text);
// Reads a 24-hour "HH:MM" (or "H:MM"); empty when malformed or not a time of day. Only
// hour and minute are set.
[[nodiscard]] std::optional<LocalTime> parseTimeOption(std::string_view text);

// Splits arguments into options and positionals. Options are "--name" or "--name value",
// or "-x" / "-x value" for a one-letter name the lists hold; `valued` lists the names that
// take a value. Unknown options are an error. "--" ends the options: every argument after
// it is a positional.
class CliArgs {
public:
    // A Usage failure for an unknown option or one without its value.
    Status parse(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                 const std::vector<std::string>& flags);

    [[nodiscard]] bool has(const std::string& name) const;
    [[nodiscard]] std::optional<std::string> value(const std::string& name) const;
    // Every value of an option that may be given more than once, in the order given.
    [[nodiscard]] std::vector<std::string> values(const std::string& name) const;
    [[nodiscard]] const std::vector<std::string>& positional() const { return positional_; }

private:
    std::vector<std::pair<std::string, std::string>> options_;
    std::vector<std::string> positional_;
};
