#include "organizer/AppointmentForm.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "organizer/SeriesExceptions.h"
#include "organizer/TypedTime.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kSecondsPerQuarter = 900;

int64_t floorDiv(int64_t value, int64_t step) {
    return value / step - (value % step < 0 ? 1 : 0);
}

int64_t ceilDiv(int64_t value, int64_t step) {
    return -floorDiv(-value, step);
}

// The second of its day a time falls on; empty for null and out-of-range values.
std::optional<int64_t> secondOfDay(DateTime time) {
    const auto seconds = time.localSeconds();
    if (!seconds) return std::nullopt;
    return *seconds - floorDiv(*seconds, kSecondsPerDay) * kSecondsPerDay;
}

// One click of a wrapping spin button over the multiples of `step` from `lowest` to
// `highest`. From a value on that grid it moves one step, wrapping at the ends; a value
// off the grid or outside the range (a record written elsewhere) goes to the nearest
// grid value in the direction of the click, so that clicking never leaves the range.
int64_t spinStep(int64_t value, int64_t step, int64_t lowest, int64_t highest, bool up) {
    if (up) {
        if (value >= highest) return lowest;
        return std::max((floorDiv(value, step) + 1) * step, lowest);
    }
    if (value <= lowest) return highest;
    return std::min((ceilDiv(value, step) - 1) * step, highest);
}

bool isQuarterIn(int hour, int minute, int first, int last) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || minute % 15 != 0) return false;
    const int quarter = hour * 4 + minute / 15;
    return quarter >= first && quarter <= last;
}

}  // namespace

AppointmentForm AppointmentForm::forNew(DateTime shownDate, DateTime now) {
    AppointmentForm form;
    form.date_ = shownDate.date();
    const int64_t begin = defaultBeginQuarter(now) * kSecondsPerQuarter;
    form.begin_ = form.onDate(begin);
    form.end_ = form.onDate(begin + kSecondsPerQuarter);
    // A new record's alarm time is the moment it was made, as for every other new record.
    form.alarmTime_ = now;
    form.repeat_ = RepeatForm::none(form.date_);
    return form;
}

AppointmentForm AppointmentForm::of(const Appointment& appointment) {
    AppointmentForm form;
    form.id_ = appointment.ID;
    form.description_ = appointment.Description;
    // The day it is listed on; DueDate as it stands where that is its day, so that
    // confirming unchanged changes nothing.
    const DateTime day = appointment.day();
    form.date_ = day == appointment.DueDate.date() ? appointment.DueDate : day;
    form.begin_ = appointment.StartTime;
    form.end_ = appointment.EndTime;
    form.alarm_ = appointment.Alarm;
    form.alarmTime_ = appointment.AlarmTime;
    const auto begin = appointment.StartTime.localSeconds();
    const auto ring = appointment.AlarmTime.localSeconds();
    // Rounded, so that confirming unchanged gives back the same alarm time.
    if (appointment.Alarm && begin && ring)
        form.alarmMinutes_ = static_cast<int>(std::lround(double(*begin - *ring) / 60.0));
    const Schedule& schedule = appointment.schedule.get();
    form.allDay_ = schedule.allDay;
    if (schedule.lastDay.date() > form.date_.date()) {
        form.lastDay_ = schedule.lastDay.date();
        if (!form.allDay_) form.end_ = appointment.firstEnd();
    }
    if (form.allDay_) {
        // Times to offer should the user make it a timed appointment.
        form.begin_ = form.onDate(9 * 3600);
        form.end_ = onDay(form.endDate(), 10 * 3600);
    }
    form.repeat_ = RepeatForm::of(schedule, form.date_.date());
    return form;
}

int AppointmentForm::defaultBeginQuarter(DateTime now) {
    // The next quarter hour from now, but never outside what the begin spin offers: near
    // midnight a quarter hour after now may be 0:45, which the begin field cannot show or
    // reach, so the begin stays at the nearest end of the range on the chosen day.
    const int64_t quarter = ceilDiv(secondOfDay(now).value_or(0), kSecondsPerQuarter);
    return static_cast<int>(std::clamp<int64_t>(quarter, kFirstBeginQuarter, kLastBeginQuarter));
}

bool AppointmentForm::isBeginTime(int hour, int minute) {
    return isQuarterIn(hour, minute, kFirstBeginQuarter, kLastBeginQuarter);
}

bool AppointmentForm::isEndTime(int hour, int minute) {
    return isQuarterIn(hour, minute, kFirstEndQuarter, kLastEndQuarter);
}

bool AppointmentForm::isAlarmMinutes(int minutes) {
    return minutes >= 0 && minutes <= kMaxAlarmMinutes && minutes % kAlarmStep == 0;
}

int AppointmentForm::spinPosition(DateTime time) {
    const auto second = secondOfDay(time);
    if (!second) return kSpinLowest;
    const int quarter = static_cast<int>(*second / kSecondsPerQuarter);
    return std::clamp(quarter, kSpinLowest, kSpinHighest);
}

std::string AppointmentForm::timeText(DateTime time, bool twentyFourHour) {
    const auto fields = time.fields();
    if (!fields) return "";
    if (twentyFourHour) {
        char text[8];
        std::snprintf(text, sizeof text, "%02d:%02d", fields->hour % 24, fields->minute % 60);
        return text;
    }
    const int hour12 = fields->hour % 12 == 0 ? 12 : fields->hour % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d %s", hour12, fields->minute,
                  fields->hour < 12 ? "AM" : "PM");
    return text;
}

DateTime AppointmentForm::onDate(int64_t secondOfDay) const {
    return onDay(date_, secondOfDay);
}

DateTime AppointmentForm::onDay(DateTime day, int64_t secondOfDay) {
    const auto midnight = day.date().localSeconds();
    if (!midnight) return {};
    return DateTime::fromLocalSeconds(*midnight + secondOfDay);
}

void AppointmentForm::setDate(DateTime day) {
    if (!day.isValid()) return;
    const DateTimeSpan moved = day.date() - date_.date();
    date_ = day.date();
    if (!lastDay_.isNull()) lastDay_ = (lastDay_ + moved).date();
    for (DateTime* time : {&begin_, &alarmTime_}) {
        if (const auto second = secondOfDay(*time)) *time = onDate(*second);
    }
    if (const auto second = secondOfDay(end_)) end_ = onDay(endDate(), *second);
    repeat_.setStart(date_);
}

void AppointmentForm::setEndDate(DateTime day) {
    if (!day.isValid()) return;
    lastDay_ = day.date() > date_.date() ? day.date() : DateTime();
    if (const auto second = secondOfDay(end_)) placeEnd(*second);
}

void AppointmentForm::stepBegin(bool up) {
    const int64_t next = spinStep(secondOfDay(begin_).value_or(-1), kSecondsPerQuarter,
                                  kFirstBeginQuarter * kSecondsPerQuarter,
                                  kLastBeginQuarter * kSecondsPerQuarter, up);
    placeBegin(next);
}

void AppointmentForm::stepEnd(bool up) {
    const int64_t next =
        spinStep(secondOfDay(end_).value_or(-1), kSecondsPerQuarter,
                 kFirstEndQuarter * kSecondsPerQuarter, kLastEndQuarter * kSecondsPerQuarter, up);
    placeEnd(next);
}

void AppointmentForm::placeBegin(int64_t second) {
    begin_ = onDate(second);
    if (begin_ >= end_) end_ = onDate(second + kSecondsPerQuarter);
}

void AppointmentForm::placeEnd(int64_t second) {
    end_ = onDay(endDate(), second);
    if (end_ <= begin_) begin_ = onDate(second - kSecondsPerQuarter);
}

namespace {

// Whether the quarter nearest to a typed minute lies outside the field's range.
bool outside(int minuteOfDay, int firstQuarter, int lastQuarter) {
    const int quarter = nearestQuarter(minuteOfDay, 0, 24 * 4);
    return quarter < firstQuarter || quarter > lastQuarter;
}

std::string rangeText(const char* pattern, int firstQuarter, int lastQuarter, bool twentyFourHour) {
    const DateTime midnight = DateTime::fromFields(2000, 1, 1);
    const auto at = [&](int quarter) {
        return AppointmentForm::timeText(midnight + DateTimeSpan(quarter / 96.0), twentyFourHour);
    };
    return fillIn(pattern, {at(firstQuarter), at(lastQuarter)});
}

}  // namespace

AppointmentForm::Typed AppointmentForm::typeBegin(std::string_view text) {
    const auto minute = parseTypedTime(text);
    if (!minute) return Typed::NotATime;
    placeBegin(nearestQuarter(*minute, kFirstBeginQuarter, kLastBeginQuarter) * kSecondsPerQuarter);
    return outside(*minute, kFirstBeginQuarter, kLastBeginQuarter) ? Typed::MovedIntoRange
                                                                   : Typed::Taken;
}

AppointmentForm::Typed AppointmentForm::typeEnd(std::string_view text) {
    const auto minute = parseTypedTime(text);
    if (!minute) return Typed::NotATime;
    placeEnd(nearestQuarter(*minute, kFirstEndQuarter, kLastEndQuarter) * kSecondsPerQuarter);
    return outside(*minute, kFirstEndQuarter, kLastEndQuarter) ? Typed::MovedIntoRange
                                                               : Typed::Taken;
}

std::string AppointmentForm::beginRangeText(bool twentyFourHour) {
    return rangeText(_("Begin times run from %s to %s."), kFirstBeginQuarter, kLastBeginQuarter,
                     twentyFourHour);
}

std::string AppointmentForm::endRangeText(bool twentyFourHour) {
    return rangeText(_("End times run from %s to %s."), kFirstEndQuarter, kLastEndQuarter,
                     twentyFourHour);
}

bool AppointmentForm::setTimes(int beginHour, int beginMinute, int endHour, int endMinute) {
    if (!isBeginTime(beginHour, beginMinute) || !isEndTime(endHour, endMinute)) return false;
    const int64_t begin = beginHour * 3600 + beginMinute * 60;
    const int64_t end = endHour * 3600 + endMinute * 60;
    if (lastDay_.isNull() && end <= begin) return false;
    begin_ = onDate(begin);
    end_ = onDay(endDate(), end);
    return true;
}

void AppointmentForm::stepAlarmMinutes(bool up) {
    alarmMinutes_ = static_cast<int>(spinStep(alarmMinutes_, kAlarmStep, 0, kMaxAlarmMinutes, up));
}

bool AppointmentForm::setAlarmMinutes(int minutes) {
    if (!isAlarmMinutes(minutes)) return false;
    alarmMinutes_ = minutes;
    return true;
}

AppointmentForm::Typed AppointmentForm::typeAlarmMinutes(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    // More digits than any minutes need are out of range all the same.
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return Typed::NotATime;
    int minutes = 0;
    for (const char c : text)
        minutes = minutes * 10 + (c - '0');
    if (negative) minutes = -minutes;
    const int stepped = (std::clamp(minutes, -kAlarmStep, kMaxAlarmMinutes + kAlarmStep) +
                         kAlarmStep / 2 + kAlarmStep) /
                            kAlarmStep * kAlarmStep -
                        kAlarmStep;
    alarmMinutes_ = std::clamp(stepped, 0, kMaxAlarmMinutes);
    return minutes < 0 || minutes > kMaxAlarmMinutes ? Typed::MovedIntoRange : Typed::Taken;
}

std::string AppointmentForm::alarmRangeText() {
    return fillIn(_("Minutes run from %s to %s, in steps of %s."),
                  {"0", std::to_string(kMaxAlarmMinutes), std::to_string(kAlarmStep)});
}

Appointment AppointmentForm::writtenOver(Appointment base) const {
    const Appointment before = base;
    base.Description = description_;
    base.DueDate = date_;
    // Whole days as the iCalendar import stores them: what a version-16 reader shows.
    const DateTime start = allDay_ ? date_.date() : begin_;
    base.StartTime = start;
    base.EndTime = allDay_ ? onDay(endDate(), 23 * 3600 + 59 * 60) : end_;
    base.Alarm = alarm_;
    base.AlarmTime = alarmTime_;
    if (alarm_) {
        const auto begin = start.localSeconds();
        base.AlarmTime =
            begin ? DateTime::fromLocalSeconds(*begin - int64_t{alarmMinutes_} * 60) : DateTime();
    }
    base.Done = false;
    base.forgetLaterWhereChanged(before);

    Schedule schedule = base.schedule.get();
    schedule.allDay = allDay_;
    schedule.lastDay = lastDay_;
    if (repeat_.kind() != RepeatForm::Kind::Kept) schedule.rule = repeat_.rule();
    if (!schedule.rule && repeat_.kind() != RepeatForm::Kind::Kept) {
        schedule.added.clear();
        schedule.removed.clear();
        schedule.changed.clear();
    }
    base.schedule.set(std::move(schedule));
    keepFittingExceptions(before, base);
    return base;
}
