#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "organizer/RepeatForm.h"
#include "records/Appointment.h"
#include "records/DateTime.h"

// What the appointment dialog edits, with the rules of its controls: the begin and end
// times move in quarter hours within the day's working range and push each other apart,
// the date carries the times along, and the alarm is kept as minutes before the begin.
// An appointment may take whole days or end on a later day, and repeat (RepeatForm).
class AppointmentForm {
public:
    // The begin time runs from 5:00 AM to 10:45 PM, the end time from 5:15 AM to 11:00 PM,
    // in quarter hours; these are the first and last quarter of the day each may hold.
    static constexpr int kFirstBeginQuarter = 20;
    static constexpr int kLastBeginQuarter = 91;
    static constexpr int kFirstEndQuarter = 21;
    static constexpr int kLastEndQuarter = 92;
    // The range of both spin buttons, in quarters of the day.
    static constexpr int kSpinLowest = 20;
    static constexpr int kSpinHighest = 92;
    // The alarm is set from 0 to 60 minutes before the begin, in steps of 5.
    static constexpr int kMaxAlarmMinutes = 60;
    static constexpr int kAlarmStep = 5;

    // A new appointment on `shownDate`: no text, no alarm, beginning at the quarter hour
    // defaultBeginQuarter() picks for `now` and ending 15 minutes later.
    [[nodiscard]] static AppointmentForm forNew(DateTime shownDate, DateTime now);
    // The values of an existing appointment.
    [[nodiscard]] static AppointmentForm of(const Appointment& appointment);

    // The quarter of the day a new appointment begins in: the first quarter hour not
    // before `now`, kept within the begin range.
    [[nodiscard]] static int defaultBeginQuarter(DateTime now);
    // Whether a time of day (hours, minutes) may begin or end an appointment here.
    [[nodiscard]] static bool isBeginTime(int hour, int minute);
    [[nodiscard]] static bool isEndTime(int hour, int minute);
    // Whether the alarm may be set this many minutes ahead.
    [[nodiscard]] static bool isAlarmMinutes(int minutes);
    // A spin button's position for a time: its quarter of the day.
    [[nodiscard]] static int spinPosition(DateTime time);
    // "09:30 AM": two-digit 12-hour clock with the markers the time fields show, or
    // "09:30" and "16:15" where the user's locale keeps the 24-hour clock.
    [[nodiscard]] static std::string timeText(DateTime time, bool twentyFourHour = false);

    [[nodiscard]] int32_t id() const { return id_; }
    [[nodiscard]] const std::string& description() const { return description_; }
    void setDescription(std::string text) { description_ = std::move(text); }
    // OK is offered only for an appointment with some text.
    [[nodiscard]] bool canConfirm() const { return !description_.empty(); }

    [[nodiscard]] DateTime date() const { return date_; }
    [[nodiscard]] DateTime begin() const { return begin_; }
    [[nodiscard]] DateTime end() const { return end_; }
    // Moves to another day; the begin, end and alarm times keep their time of day, and an
    // appointment over several days keeps its number of days.
    void setDate(DateTime day);

    // Whole days: the times are not used, and the appointment runs from the date to the
    // end date.
    [[nodiscard]] bool allDay() const { return allDay_; }
    void setAllDay(bool on) { allDay_ = on; }
    // The day it ends: the date itself unless it runs over several days.
    [[nodiscard]] DateTime endDate() const { return lastDay_.isNull() ? date_ : lastDay_; }
    // Sets the day it ends, never before the date; the end time keeps its time of day, and
    // back on the date it pushes the begin as a step does.
    void setEndDate(DateTime day);

    // How it repeats; the form keeps the repeat's start on its date.
    [[nodiscard]] const RepeatForm& repeat() const { return repeat_; }
    [[nodiscard]] RepeatForm& repeat() { return repeat_; }
    // The begin and end spin buttons. A step that meets the other time pushes it on by a
    // quarter hour, so that the begin always comes before the end.
    void stepBegin(bool up);
    void stepEnd(bool up);
    // What became of a typed time: no time (nothing changed), taken (on its nearest quarter
    // hour), or moved into the range the field holds, which the dialog then names.
    enum class Typed { NotATime, Taken, MovedIntoRange };
    // A time typed into the begin or end field, snapped to the nearest quarter hour the
    // field may hold; it pushes the other time as a step does.
    Typed typeBegin(std::string_view text);
    Typed typeEnd(std::string_view text);
    // "Begin times run from 05:00 AM to 10:45 PM.", and the same of the end times.
    [[nodiscard]] static std::string beginRangeText(bool twentyFourHour = false);
    [[nodiscard]] static std::string endRangeText(bool twentyFourHour = false);
    // Sets both times on the form's date; false, changing nothing, unless they are valid
    // begin and end times with the begin first.
    bool setTimes(int beginHour, int beginMinute, int endHour, int endMinute);

    [[nodiscard]] bool alarm() const { return alarm_; }
    void setAlarm(bool on) { alarm_ = on; }
    [[nodiscard]] int alarmMinutes() const { return alarmMinutes_; }
    // The minutes spin button: steps of 5, wrapping between 0 and 60.
    void stepAlarmMinutes(bool up);
    // False, changing nothing, for minutes the spin button could not show.
    bool setAlarmMinutes(int minutes);
    // Minutes typed into the field ("20", " 7 "), put on the nearest step of 5 as the
    // arrows would, and moved into 0 to 60 when outside.
    Typed typeAlarmMinutes(std::string_view text);
    // "Minutes run from 0 to 60, in steps of 5."
    [[nodiscard]] static std::string alarmRangeText();

    // `base` with every edited field written over it: the ID stays, Done becomes false,
    // and a set alarm rings the chosen minutes before the begin (whole days: 00:00 of the
    // first). A series keeps its zone and the exceptions that still fall on one of its
    // occurrences; one that no longer repeats keeps none.
    [[nodiscard]] Appointment writtenOver(Appointment base) const;

private:
    // Set the begin or end time to a second of the form's day, pushing the other one.
    void placeBegin(int64_t secondOfDay);
    void placeEnd(int64_t secondOfDay);
    // The time `secondOfDay` seconds after midnight on the form's date.
    [[nodiscard]] DateTime onDate(int64_t secondOfDay) const;
    [[nodiscard]] static DateTime onDay(DateTime day, int64_t secondOfDay);

    int32_t id_ = 0;
    std::string description_;
    DateTime date_;
    DateTime begin_;
    DateTime end_;
    bool alarm_ = false;
    int alarmMinutes_ = 0;
    DateTime alarmTime_;  // what an unset alarm keeps
    bool allDay_ = false;
    DateTime lastDay_;  // null unless it ends on a later day than date_
    RepeatForm repeat_;
};
