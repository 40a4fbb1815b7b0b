#include "exchange/CalendarEntryReader.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "exchange/CalendarParse.h"
#include "exchange/CalendarTime.h"
#include "fileio/TextEncoding.h"
#include "records/LineBreaks.h"
#include "records/Trimmed.h"

namespace {

bool isControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F;
}

// A summary without blanks at either end, its line breaks CR LF, and without control
// characters, which libical leaves out when it writes the text: kept, they would make an
// exported calendar read back otherwise. libical's unescaping may split a character (a
// backslash before a multi-byte one): what is then no UTF-8 is read as any value is.
std::string summaryText(const char* text) {
    std::string value = valueAsUtf8(text ? text : "");
    std::erase_if(value, isControl);
    return withCrLf(trimmed(value));
}

constexpr const char* kImpossibleStart =
    N_("its start is a date or time that does not exist (such as 30 February or hour 25)");

// A time written in the file that names no real day or time.
bool isImpossible(const icaltimetype& time) {
    return !icaltime_is_null_time(time) && !isRealTime(time);
}

int secondsBetween(DateTime from, DateTime to) {
    const double seconds = std::round((to - from).days() * 86400.0);
    return static_cast<int>(std::clamp(seconds, -2e9, 2e9));
}

// The same day a year (or years) away; 29 February becomes 28 February.
DateTime yearsAway(DateTime day, int years) {
    const DateTime moved = DateTime::fromFields(day.year() + years, day.month(), day.day());
    return moved.isValid() ? moved : DateTime::fromFields(day.year() + years, day.month(), 28);
}

int32_t priorityOf(icalcomponent* todo) {
    icalproperty* property = icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY);
    const int value = property ? icalproperty_get_priority(property) : 0;
    if (value >= 5 && value <= 9) return value == 5 ? Task::Medium : Task::Low;
    return Task::High;
}

// What libical could not read of an event's repetition, which it then drops with a note
// of its own (X-LIC-ERROR): the event is added once, and the user told so.
const char* unreadRule(icalcomponent* event) {
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_XLICERROR_PROPERTY)) {
        const char* text = icalproperty_get_xlicerror(p);
        if (text != nullptr && std::strstr(text, "RRULE") != nullptr)
            return _("its repeat rule (RRULE) cannot be read; added once, as if it did not repeat");
    }
    return nullptr;
}

}  // namespace

CalendarEntryReader::CalendarEntryReader(const PimDocument& document, CalendarImportResult& result)
    : appointments(document.appointments()),
      tasks(document.tasks()),
      result_(result),
      now_(DateTime::now(document.clock())),
      today_(DateTime::today(document.clock())) {
    result_.windowStart = yearsAway(today_, -1);
    result_.windowEnd = yearsAway(today_, 2);
    for (const auto& [id, a] : document.appointments())
        present_.emplace(a.Description, a.StartTime.continuous(), a.EndTime.continuous());
}

void CalendarEntryReader::skip(size_t line, const char* reason) {
    result_.skipped.push_back({line, reason});
}

void CalendarEntryReader::note(size_t line, const char* what) {
    result_.notes.push_back({line, what});
}

const char* CalendarEntryReader::shapeOf(icalcomponent* event, icalcomponent* calendar,
                                         EventShape& shape) const {
    shape.description = summaryText(icalcomponent_get_summary(event));
    if (shape.description.empty()) return _("no summary");
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED) return _("cancelled");
    const icaltimetype start = startOf(event, calendar);
    if (isImpossible(start)) return _(kImpossibleStart);
    const DateTime startLocal = localTimeOf(start);
    if (!startLocal.isValid()) return _("no start time that can be read");
    const icaltimetype end = endOf(event, calendar);
    if (isImpossible(end)) return _("its end is a date or time that does not exist");
    const DateTime endLocal = localTimeOf(end);
    shape.wholeDays = start.is_date != 0;
    if (endLocal.isValid() && endLocal > startLocal) {
        // Measured on the local clock, so that the event ends where its end says, whatever
        // forms its start and end are written in.
        shape.length = endLocal - startLocal;
        shape.days = std::max(1, static_cast<int>(std::lround(shape.length.days())));
    }
    if (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT)) {
        if (icalproperty* trigger =
                icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY)) {
            const icaltriggertype when = icalproperty_get_trigger(trigger);
            if (!icaltime_is_null_time(when.time)) {
                shape.alarm = localTimeOf(when.time).isValid();
                shape.alarmOffset = secondsBetween(startLocal, localTimeOf(when.time));
            } else {
                icalparameter* related =
                    icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
                const bool fromEnd =
                    related && icalparameter_get_related(related) == ICAL_RELATED_END;
                shape.alarm = true;
                shape.alarmOffset =
                    icaldurationtype_as_int(when.duration) +
                    (fromEnd ? static_cast<int>(std::lround(shape.length.days() * 86400)) : 0);
            }
        }
    }
    return nullptr;
}

Appointment CalendarEntryReader::appointmentAt(icaltimetype start, const EventShape& shape) const {
    Appointment a = Appointment::createdAt(now_);
    a.Description = shape.description;
    a.StartTime = localTimeOf(start);
    if (shape.wholeDays) {
        const DateTime lastDay = a.StartTime + DateTimeSpan(double(shape.days - 1));
        a.EndTime = DateTime::fromFields(lastDay.year(), lastDay.month(), lastDay.day(), 23, 59);
    } else {
        a.EndTime = a.StartTime + shape.length;
    }
    // libical writes no time after the year 3000, so a later end would not come back from
    // an export (an occurrence now of an event that began centuries ago lasts as long).
    constexpr int kLastYearWritten = 3000;
    if (!a.EndTime.isValid() || a.EndTime < a.StartTime || a.EndTime.year() > kLastYearWritten)
        a.EndTime = a.StartTime;
    a.DueDate = a.StartTime.date();
    a.Alarm = shape.alarm;
    a.AlarmTime =
        a.StartTime + DateTimeSpan::fromParts(0, 0, 0, shape.alarm ? shape.alarmOffset : 0);
    if (!a.AlarmTime.isValid()) a.AlarmTime = a.StartTime;
    a.Done = false;
    return a;
}

const char* CalendarEntryReader::add(Appointment&& a) {
    // Only what the document held before counts: two equal entries of the file are two
    // appointments of the document they came from.
    if (present_.contains({a.Description, a.StartTime.continuous(), a.EndTime.continuous()}))
        return _("already in the document");
    if (!appointments.add(std::move(a))) return _("no identifier left");
    ++result_.appointments;
    return nullptr;
}

void CalendarEntryReader::readEvent(icalcomponent* event, icalcomponent* calendar, size_t line,
                                    const std::vector<DateTime>& replaced) {
    EventShape shape;
    if (const char* reason = shapeOf(event, calendar, shape)) return skip(line, reason);
    const icaltimetype start = startOf(event, calendar);
    if (const char* problem = unreadRule(event)) note(line, problem);
    const bool replacesOne =
        icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) != nullptr;

    if (!replacesOne && !isRecurring(event)) {
        if (const char* reason = add(appointmentAt(start, shape))) skip(line, reason);
        return;
    }
    // An occurrence, whether the rule's or one that replaces it, counts only in the window.
    std::vector<icaltimetype> starts;
    if (replacesOne) {
        const DateTime local = localTimeOf(start);
        if (local >= result_.windowStart && local < result_.windowEnd) starts.push_back(start);
    } else {
        Occurrences occurrences = expandOccurrences(event, calendar, result_.windowStart,
                                                    result_.windowEnd, replaced, budget_);
        if (occurrences.failure) return skip(line, occurrences.failure);
        starts = std::move(occurrences.starts);
    }
    if (starts.empty()) return skip(line, _("no occurrence from a year ago to two years ahead"));
    int32_t added = 0;
    for (const icaltimetype& occurrence : starts) {
        if (add(appointmentAt(occurrence, shape)) == nullptr) ++added;
    }
    if (added == 0) return skip(line, _("already in the document"));
    result_.occurrences += added;
    const char* uid = icalcomponent_get_uid(event);
    series_.insert(uid != nullptr && *uid != '\0' ? uid : "line " + std::to_string(line));
    result_.recurringEvents = int32_t(series_.size());
}

void CalendarEntryReader::readTask(icalcomponent* todo, icalcomponent* calendar, size_t line) {
    Task task = Task::createdAt(now_);
    task.Description = summaryText(icalcomponent_get_summary(todo));
    if (task.Description.empty()) return skip(line, _("no summary"));
    if (icalcomponent_get_status(todo) == ICAL_STATUS_CANCELLED) return skip(line, _("cancelled"));
    icaltimetype due = dueOf(todo, calendar);
    if (isImpossible(due))
        return skip(line, _("its due date is a date or time that does not exist"));
    if (icaltime_is_null_time(due)) due = startOf(todo, calendar);
    if (isImpossible(due)) return skip(line, _(kImpossibleStart));
    const DateTime dueLocal = localTimeOf(due);
    task.DueDate = dueLocal.isValid() ? dueLocal : today_;
    if (isCompletedTodo(todo)) {
        task.Priority = Task::Done;
        icalproperty* completed = icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY);
        if (completed) task.DoneDate = localTimeOf(icalproperty_get_completed(completed)).date();
    } else {
        task.Priority = priorityOf(todo);
    }
    if (!tasks.add(std::move(task))) return skip(line, _("no identifier left"));
    ++result_.tasks;
}
