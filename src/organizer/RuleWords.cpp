#include "organizer/RuleWords.h"

#include <cstdlib>
#include <vector>

#include "platform/Locale.h"
#include "platform/Translate.h"

namespace {

// "a", "a and b", "a, b and c".
std::string joined(const std::vector<std::string>& items) {
    if (items.empty()) return "";
    std::string head = items.front();
    for (size_t i = 1; i + 1 < items.size(); ++i)
        head = fillIn(C_("list", "%s, %s"), {head, items[i]});
    if (items.size() == 1) return head;
    return fillIn(C_("list", "%s and %s"), {head, items.back()});
}

std::string every(const RecurrenceRule& rule) {
    const unsigned long n = rule.interval > 1 ? static_cast<unsigned long>(rule.interval) : 1;
    // "Every day" rather than "Every 1 day": the singular forms carry no number.
    switch (rule.frequency) {
        case Frequency::Secondly:
            return n == 1 ? _("Every second")
                          : countText(NP_("Every %d second", "Every %d seconds"), n);
        case Frequency::Minutely:
            return n == 1 ? _("Every minute")
                          : countText(NP_("Every %d minute", "Every %d minutes"), n);
        case Frequency::Hourly:
            return n == 1 ? _("Every hour") : countText(NP_("Every %d hour", "Every %d hours"), n);
        case Frequency::Daily:
            return n == 1 ? _("Every day") : countText(NP_("Every %d day", "Every %d days"), n);
        case Frequency::Weekly:
            return n == 1 ? _("Every week") : countText(NP_("Every %d week", "Every %d weeks"), n);
        case Frequency::Monthly:
            return n == 1 ? _("Every month")
                          : countText(NP_("Every %d month", "Every %d months"), n);
        case Frequency::Yearly:
            return n == 1 ? _("Every year") : countText(NP_("Every %d year", "Every %d years"), n);
    }
    return "";
}

std::string monthDayInWords(int day) {
    if (day > 0) return fillIn(_("day %s"), {std::to_string(day)});
    if (day == -1) return _("the last day");
    return fillIn(_("day %s from the end"), {std::to_string(-day)});
}

std::string numbers(const char* name, const std::vector<int>& values) {
    std::string text = name;
    for (size_t i = 0; i < values.size(); ++i)
        text += (i == 0 ? "=" : ",") + std::to_string(values[i]);
    return text;
}

// The parts that have no words, as the rule writes them: "BYSETPOS=-1;BYHOUR=9,17".
std::string partsWithoutWords(const RecurrenceRule& rule) {
    std::vector<std::pair<const char*, const std::vector<int>*>> parts = {
        {"BYSECOND", &rule.bySecond},   {"BYMINUTE", &rule.byMinute}, {"BYHOUR", &rule.byHour},
        {"BYYEARDAY", &rule.byYearDay}, {"BYWEEKNO", &rule.byWeekNo}, {"BYSETPOS", &rule.bySetPos}};
    std::string text;
    for (const auto& [name, values] : parts) {
        if (values->empty()) continue;
        if (!text.empty()) text += ';';
        text += numbers(name, *values);
    }
    return text;
}

}  // namespace

std::string weekdayName(int weekday, const Locale& locale) {
    // The rule counts from Monday, the locale from Sunday (1).
    return locale.dayName((weekday + 1) % 7 + 1, false);
}

std::string weekdayInWords(WeekdayNum day, const Locale& locale) {
    const std::string name = weekdayName(day.weekday, locale);
    switch (day.ordinal) {
        case 0:
            return name;
        case 1:
            return fillIn(_("the first %s"), {name});
        case 2:
            return fillIn(_("the second %s"), {name});
        case 3:
            return fillIn(_("the third %s"), {name});
        case 4:
            return fillIn(_("the fourth %s"), {name});
        case 5:
            return fillIn(_("the fifth %s"), {name});
        case -1:
            return fillIn(_("the last %s"), {name});
        case -2:
            return fillIn(_("the second to last %s"), {name});
        default:
            break;
    }
    if (day.ordinal > 0) return fillIn(_("the %s. %s"), {std::to_string(day.ordinal), name});
    return fillIn(_("the %s. to last %s"), {std::to_string(-day.ordinal), name});
}

std::string ruleInWords(const RecurrenceRule& rule, DateTime start, const Locale& locale) {
    std::string text = every(rule);

    if (!rule.byMonth.empty()) {
        std::vector<std::string> months;
        for (const int month : rule.byMonth)
            months.push_back(locale.monthName(month, false));
        text = fillIn(_("%s in %s"), {text, joined(months)});
    }

    std::vector<std::string> days;
    for (const int day : rule.byMonthDay)
        days.push_back(monthDayInWords(day));
    for (const WeekdayNum& day : rule.byDay)
        days.push_back(weekdayInWords(day, locale));
    // Without a day of its own the rule repeats on the start's.
    const bool namesDays = !days.empty() || !rule.byYearDay.empty() || !rule.byWeekNo.empty();
    if (!namesDays && start.isValid()) {
        if (rule.frequency == Frequency::Weekly)
            days.push_back(weekdayName((start.dayOfWeek() + 5) % 7, locale));
        else if (rule.frequency == Frequency::Monthly)
            days.push_back(monthDayInWords(start.day()));
        else if (rule.frequency == Frequency::Yearly && rule.byMonth.empty())
            days.push_back(start.formatDate(locale, _("d MMMM")));
        else if (rule.frequency == Frequency::Yearly)
            days.push_back(monthDayInWords(start.day()));
    }
    if (!days.empty()) text = fillIn(_("%s on %s"), {text, joined(days)});

    if (const std::string rest = partsWithoutWords(rule); !rest.empty())
        text = fillIn(_("%s (also %s)"), {text, rest});

    if (rule.count > 0) {
        text = fillIn(C_("rule end", "%s, %s"),
                      {text, countText(NP_("%d time", "%d times"), rule.count)});
    } else if (rule.until.isValid()) {
        text = fillIn(_("%s, until %s"), {text, rule.until.formatDate(locale, _("d MMM yyyy"))});
    }
    return text;
}
