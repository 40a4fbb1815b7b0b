#include "organizer/RepeatForm.h"

#include <algorithm>

#include "organizer/RuleWords.h"
#include "platform/Translate.h"

namespace {

int daysInMonth(int year, int month) {
    for (int day = 31; day > 28; --day)
        if (DateTime::fromFields(year, month, day).isValid()) return day;
    return 28;
}

RepeatForm::Kind kindOf(Frequency frequency) {
    switch (frequency) {
        case Frequency::Daily:
            return RepeatForm::Kind::Daily;
        case Frequency::Weekly:
            return RepeatForm::Kind::Weekly;
        case Frequency::Monthly:
            return RepeatForm::Kind::Monthly;
        case Frequency::Yearly:
            return RepeatForm::Kind::Yearly;
        default:
            return RepeatForm::Kind::Kept;
    }
}

}  // namespace

RepeatForm RepeatForm::none(DateTime start) {
    RepeatForm form;
    form.start_ = start;
    form.weekdays_[size_t(form.startDay())] = true;
    form.until_ = start.date();
    return form;
}

RepeatForm RepeatForm::of(const Schedule& schedule, DateTime start) {
    RepeatForm form = none(start);
    if (!schedule.rule) {
        // Extra dates without a rule: nothing here can make them again.
        if (!schedule.added.empty()) {
            form.kind_ = Kind::Kept;
            form.keptWords_ =
                countText(NP_("On %d more date", "On %d more dates"), schedule.added.size());
        }
        return form;
    }
    const RecurrenceRule& rule = *schedule.rule;
    form.opened_ = rule;
    form.kind_ = rule.isSimple() ? kindOf(rule.frequency) : Kind::Kept;
    if (rule.frequency == Frequency::Monthly && form.kind_ == Kind::Monthly) {
        // Only a day the start itself is on can be shown.
        if (!rule.byMonthDay.empty() && rule.byMonthDay[0] != start.day()) form.kind_ = Kind::Kept;
        if (!rule.byDay.empty()) {
            const WeekdayNum day = rule.byDay[0];
            if (day == form.startWeekday(MonthlyBy::NthWeekday))
                form.monthlyBy_ = MonthlyBy::NthWeekday;
            else if (day == form.startWeekday(MonthlyBy::LastWeekday) && form.startIsLastWeekday())
                form.monthlyBy_ = MonthlyBy::LastWeekday;
            else
                form.kind_ = Kind::Kept;
        }
    }
    if (form.kind_ == Kind::Kept) {
        form.kept_ = rule;
        return form;
    }
    form.interval_ = std::clamp(rule.interval, 1, kMaxInterval);
    for (const WeekdayNum& day : rule.byDay)
        if (rule.frequency == Frequency::Weekly) form.weekdays_[size_t(day.weekday)] = true;
    if (rule.count > 0) {
        form.ending_ = Ending::AfterCount;
        form.count_ = std::clamp(rule.count, 1, kMaxCount);
    } else if (rule.until.isValid()) {
        form.ending_ = Ending::OnDate;
        form.until_ = std::max(rule.until.date(), start.date());
    }
    return form;
}

int RepeatForm::startDay() const {
    return start_.isValid() ? (start_.dayOfWeek() + 5) % 7 : 0;
}

void RepeatForm::setKind(Kind kind) {
    if (kind == kind_ || (kind == Kind::Kept && !canKeep())) return;
    kind_ = kind;
    touch();
}

void RepeatForm::setInterval(int interval) {
    interval_ = std::clamp(interval, 1, kMaxInterval);
    touch();
}

bool RepeatForm::weekday(int weekday) const {
    return weekday >= 0 && weekday < 7 && weekdays_[size_t(weekday)];
}

void RepeatForm::setWeekday(int weekday, bool on) {
    if (weekday < 0 || weekday > 6 || (!on && weekday == startDay())) return;
    weekdays_[size_t(weekday)] = on;
    touch();
}

bool RepeatForm::startIsLastWeekday() const {
    return start_.isValid() && start_.day() + 7 > daysInMonth(start_.year(), start_.month());
}

WeekdayNum RepeatForm::startWeekday(MonthlyBy by) const {
    const int ordinal = by == MonthlyBy::LastWeekday ? -1 : (start_.day() - 1) / 7 + 1;
    return {ordinal, startDay()};
}

void RepeatForm::setMonthlyBy(MonthlyBy by) {
    if (by == MonthlyBy::LastWeekday && !startIsLastWeekday()) return;
    monthlyBy_ = by;
    touch();
}

void RepeatForm::setEnding(Ending ending) {
    ending_ = ending;
    touch();
}

void RepeatForm::setCount(int count) {
    count_ = std::clamp(count, 1, kMaxCount);
    touch();
}

void RepeatForm::setUntil(DateTime day) {
    if (!day.isValid()) return;
    until_ = std::max(day.date(), start_.date());
    touch();
}

void RepeatForm::setStart(DateTime start) {
    if (!start.isValid()) return;
    const bool otherDay = start.date() != start_.date();
    const int oldDay = startDay();
    start_ = start;
    if (!otherDay) return;
    if (weekdays_[size_t(oldDay)]) {
        weekdays_[size_t(oldDay)] = false;
        weekdays_[size_t(startDay())] = true;
    }
    weekdays_[size_t(startDay())] = true;
    if (monthlyBy_ == MonthlyBy::LastWeekday && !startIsLastWeekday())
        monthlyBy_ = MonthlyBy::NthWeekday;
    until_ = std::max(until_, start_.date());
    // A rule naming the old start's days would no longer begin on its first start.
    if (kind_ != Kind::None && kind_ != Kind::Kept) touch();
}

std::optional<RecurrenceRule> RepeatForm::rule() const {
    if (kind_ == Kind::None) return std::nullopt;
    if (kind_ == Kind::Kept) return kept_;
    if (!touched_ && opened_) return opened_;
    RecurrenceRule rule;
    rule.interval = interval_;
    // The week start decides which weeks "every 2 weeks" skips: the series' own stays.
    if (opened_) rule.weekStart = opened_->weekStart;
    switch (kind_) {
        case Kind::Daily:
            rule.frequency = Frequency::Daily;
            break;
        case Kind::Weekly:
            rule.frequency = Frequency::Weekly;
            // The start's weekday alone goes without saying.
            for (int day = 0; day < 7; ++day)
                if (weekdays_[size_t(day)] && day != startDay()) rule.byDay.push_back({0, day});
            if (!rule.byDay.empty()) {
                rule.byDay.push_back({0, startDay()});
                std::sort(rule.byDay.begin(), rule.byDay.end(),
                          [](WeekdayNum a, WeekdayNum b) { return a.weekday < b.weekday; });
            }
            break;
        case Kind::Monthly:
            rule.frequency = Frequency::Monthly;
            if (monthlyBy_ != MonthlyBy::Day) rule.byDay.push_back(startWeekday(monthlyBy_));
            break;
        default:
            rule.frequency = Frequency::Yearly;
            break;
    }
    if (ending_ == Ending::AfterCount) rule.count = count_;
    if (ending_ == Ending::OnDate) {
        // A date: the whole of its last day counts, whatever the time of the start.
        rule.until = until_;
        rule.untilIsDate = true;
    }
    return rule;
}

std::string RepeatForm::words(const Locale& locale) const {
    if (kind_ == Kind::Kept && keptWords_) return *keptWords_;
    const std::optional<RecurrenceRule> made = rule();
    return made ? ruleInWords(*made, start_, locale) : std::string();
}
