#include "cli/commands/RepeatOptions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>

#include "cli/commands/CommandSupport.h"
#include "platform/Translate.h"
#include "records/RuleExpansion.h"

namespace {

struct Repeat {
    const char* name;
    Frequency frequency;
};
constexpr std::array<Repeat, 4> kRepeats = {{{"daily", Frequency::Daily},
                                             {"weekly", Frequency::Weekly},
                                             {"monthly", Frequency::Monthly},
                                             {"yearly", Frequency::Yearly}}};

// What only a series may be given.
constexpr std::array<const char*, 4> kSeriesOptions = {"every", "on", "count", "until"};

// A monthly rule's weekday is one of the first five of the month or of the last five.
constexpr int kMaxWeekOfMonth = 5;

// The most --every and --count take: a counted series of any rule is then worked out in full
// within the bound every query keeps to, and no interval outlasts the calendar's years.
constexpr int kMaxNumber = 10000;

Status readNumber(const CliArgs& parsed, const std::string& option, int& value) {
    const auto text = parsed.value(option);
    if (!text) return {};
    int read = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, read);
    if (text->empty() || error != std::errc() || stop != end || read < 1 || read > kMaxNumber)
        return usageFailure(fillIn(_("%s wants a whole number from 1 to %s, not \"%s\""),
                                   {"--" + option, std::to_string(kMaxNumber), *text}));
    value = read;
    return {};
}

// --on: weekdays for a weekly rule, one nth weekday of the month for a monthly one.
Status readWeekdays(const std::string& text, RecurrenceRule& rule) {
    if (rule.frequency != Frequency::Weekly && rule.frequency != Frequency::Monthly)
        return usageFailure(fillIn(_("%s goes with --repeat weekly or monthly only"), {"--on"}));
    const bool weekly = rule.frequency == Frequency::Weekly;
    const auto refused = [&] {
        return usageFailure(
            weekly
                ? fillIn(_("%s wants weekdays as MO,TU,WE,TH,FR,SA,SU, not \"%s\""), {"--on", text})
                : fillIn(_("%s wants one weekday of the month as 2TU, or -1FR for the last "
                           "Friday, not \"%s\""),
                         {"--on", text}));
    };
    // The list is read as a BYDAY value, so nothing but its own characters may reach it.
    std::string byDay;
    for (const char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != ',' && c != '-' && c != '+')
            return refused();
        byDay += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const auto read = RecurrenceRule::parse("FREQ=WEEKLY;BYDAY=" + byDay);
    if (!read) return refused();
    for (const WeekdayNum& day : read->byDay) {
        const bool nth = day.ordinal != 0 && std::abs(day.ordinal) <= kMaxWeekOfMonth;
        if (weekly ? day.ordinal != 0 : !nth || read->byDay.size() != 1) return refused();
    }
    rule.byDay = read->byDay;
    return {};
}

Status readUntil(const CliArgs& parsed, DateTime firstStart, RecurrenceRule& rule) {
    DateTime until;
    if (Status status = readDateOption(parsed, until, "until"); !status) return status;
    if (until.isNull()) return {};
    if (until < firstStart.date())
        return usageFailure(fillIn(_("%s is before %s"), {"--until " + *parsed.value("until"),
                                                          "--date " + firstStart.format("%F")}));
    // A date: the whole of that day may still hold a start.
    rule.until = until;
    rule.untilIsDate = true;
    return {};
}

// Whether the rule makes `firstStart` itself, rather than only counting from it.
bool meets(const RecurrenceRule& rule, DateTime firstStart) {
    const int64_t first = firstStart.localSeconds().value_or(0);
    ExpansionBudget budget;
    return !RuleExpansion(rule, first).starts(first, first + 1, INT64_MAX, 1, budget).empty();
}

}  // namespace

Status readRepeatRule(const CliArgs& parsed, DateTime firstStart,
                      std::optional<RecurrenceRule>& rule) {
    const auto repeat = parsed.value("repeat");
    if (!repeat) {
        for (const std::string option : kSeriesOptions) {
            if (parsed.has(option))
                return usageFailure(fillIn(_("%s needs --repeat"), {"--" + option}));
        }
        return {};
    }
    if (parsed.has("count") && parsed.has("until"))
        return usageFailure(fillIn(_("%s cannot go with %s"), {"--count", "--until"}));
    RecurrenceRule made;
    const auto chosen = std::find_if(kRepeats.begin(), kRepeats.end(),
                                     [&](const Repeat& r) { return *repeat == r.name; });
    if (chosen == kRepeats.end())
        return usageFailure(fillIn(_("%s wants daily, weekly, monthly or yearly, not \"%s\""),
                                   {"--repeat", *repeat}));
    made.frequency = chosen->frequency;
    if (Status status = readNumber(parsed, "every", made.interval); !status) return status;
    if (Status status = readNumber(parsed, "count", made.count); !status) return status;
    if (const auto on = parsed.value("on")) {
        if (Status status = readWeekdays(*on, made); !status) return status;
        if (!meets(made, firstStart))
            return usageFailure(fillIn(_("%s is not on a day %s names"),
                                       {"--date " + firstStart.format("%F"), "--on " + *on}));
    }
    if (Status status = readUntil(parsed, firstStart, made); !status) return status;
    rule = made;
    return {};
}
