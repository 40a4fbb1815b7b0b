#pragma once

#include <array>
#include <optional>
#include <string>

#include "records/DateTime.h"
#include "records/RecurrenceRule.h"
#include "records/Schedule.h"

class Locale;

// The repeat choices of the appointment dialog and the rule they make: none, daily, weekly
// on chosen weekdays, monthly on the start's day or on its weekday ("the second Tuesday",
// "the last Friday"), yearly; every N of them; ending never, after N times or on a date.
// A series the choices cannot show (a rule from another program) is kept as it is until
// another choice replaces it.
class RepeatForm {
public:
    enum class Kind { None, Daily, Weekly, Monthly, Yearly, Kept };
    // How a monthly series picks its day, from the start: its day of the month, its nth
    // weekday, or its weekday as the last of the month.
    enum class MonthlyBy { Day, NthWeekday, LastWeekday };
    enum class Ending { Never, AfterCount, OnDate };

    static constexpr int kMaxInterval = 99;
    static constexpr int kMaxCount = 999;

    // No repeat, for a series starting at `start`.
    [[nodiscard]] static RepeatForm none(DateTime start);
    // The choices that show `schedule`'s repeat; Kept when they cannot.
    [[nodiscard]] static RepeatForm of(const Schedule& schedule, DateTime start);

    // How it repeats.
    [[nodiscard]] Kind kind() const { return kind_; }
    // Chooses how it repeats; Kept only while there is a series to keep.
    void setKind(Kind kind);
    // Whether Kept is on offer: the series it was opened on could not be shown.
    [[nodiscard]] bool canKeep() const { return keptWords_.has_value() || kept_.has_value(); }

    // Every how many days, weeks, months or years.
    [[nodiscard]] int interval() const { return interval_; }
    // 1 to kMaxInterval; others are moved into that range.
    void setInterval(int interval);

    // The weekdays of a weekly series, 0 Monday to 6 Sunday. The start's weekday is always
    // one of them, so that the first start is an occurrence of the rule.
    [[nodiscard]] bool weekday(int weekday) const;
    void setWeekday(int weekday, bool on);

    // Which day of each month a monthly series takes.
    [[nodiscard]] MonthlyBy monthlyBy() const { return monthlyBy_; }
    // LastWeekday is refused where the start is not in the last week of its month.
    void setMonthlyBy(MonthlyBy by);
    // Whether the start's weekday is the last of its kind in its month.
    [[nodiscard]] bool startIsLastWeekday() const;
    // The start's weekday as the nth (1 to 5) or the last (-1) of its month.
    [[nodiscard]] WeekdayNum startWeekday(MonthlyBy by) const;

    // How the series ends.
    [[nodiscard]] Ending ending() const { return ending_; }
    void setEnding(Ending ending);
    // The number of times it occurs when it ends after a count.
    [[nodiscard]] int count() const { return count_; }
    // 1 to kMaxCount; others are moved into that range.
    void setCount(int count);
    // The last day it may start on; never before the start's day.
    [[nodiscard]] DateTime until() const { return until_; }
    void setUntil(DateTime day);

    // The day of the series' first start.
    [[nodiscard]] DateTime start() const { return start_; }
    // The series starts elsewhere: the weekday chosen for the old start moves to the new
    // one, a last weekday that no longer is one becomes the nth, the end date stays after it.
    void setStart(DateTime start);

    // The rule to store: none for None, the kept series' for Kept, else the one the
    // choices make (the one opened on while none of them was changed).
    [[nodiscard]] std::optional<RecurrenceRule> rule() const;
    // The line under the choices: the rule in words; "" for None.
    [[nodiscard]] std::string words(const Locale& locale) const;

private:
    [[nodiscard]] int startDay() const;  // the start's weekday, 0 Monday
    void touch() { touched_ = true; }

    Kind kind_ = Kind::None;
    DateTime start_;
    int interval_ = 1;
    std::array<bool, 7> weekdays_{};
    MonthlyBy monthlyBy_ = MonthlyBy::Day;
    Ending ending_ = Ending::Never;
    int count_ = 10;
    DateTime until_;
    std::optional<RecurrenceRule> opened_;  // the rule it was opened on, kept while untouched
    std::optional<RecurrenceRule> kept_;    // a rule the choices cannot show
    std::optional<std::string> keptWords_;  // what Kept says of a series without a rule
    bool touched_ = false;
};
