#include "exchange/CalendarEntryReader.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "exchange/CalendarParse.h"
#include "exchange/CalendarTime.h"
#include "exchange/EventFields.h"
#include "exchange/SeriesWall.h"

namespace {

constexpr const char* kImpossibleStart =
    N_("its start is a date or time that does not exist (such as 30 February or hour 25)");

// A time written in the file that names no real day or time.
bool isImpossible(const icaltimetype& time) {
    return !icaltime_is_null_time(time) && !isRealTime(time);
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

bool recurs(icalcomponent* event) {
    return icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) != nullptr ||
           icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) != nullptr;
}

// Whether two series of the same description, start and end hold the same, whatever their
// UIDs and reminders.
bool sameSchedule(const Appointment& a, const Appointment& b) {
    const Schedule& x = a.schedule.get();
    const Schedule& y = b.schedule.get();
    return std::tie(x.allDay, x.lastDay, x.zone, x.rule, x.added, x.removed, x.changed) ==
           std::tie(y.allDay, y.lastDay, y.zone, y.rule, y.added, y.removed, y.changed);
}

}  // namespace

CalendarEntryReader::CalendarEntryReader(const PimDocument& document, CalendarImportResult& result)
    : appointments(document.appointments()),
      tasks(document.tasks()),
      result_(result),
      now_(DateTime::now(document.clock())),
      today_(DateTime::today(document.clock())) {
    for (const auto& [id, a] : document.appointments()) {
        present_.insert(keyOf(a));
        if (!a.uid.empty()) presentUids_.insert(a.uid);
        if (a.repeats()) presentSeries_.emplace(keyOf(a), &a);
    }
    for (const auto& [id, t] : document.tasks()) {
        if (!t.uid.empty()) presentTaskUids_.insert(t.uid);
        presentTasks_.emplace(t.Description, t.DueDate.continuous());
    }
}

CalendarEntryReader::Key CalendarEntryReader::keyOf(const Appointment& a) {
    return {a.Description, a.StartTime.continuous(), a.EndTime.continuous()};
}

void CalendarEntryReader::skip(size_t line, const char* reason) {
    result_.skipped.push_back({line, reason});
}

void CalendarEntryReader::note(size_t line, const char* what) {
    result_.notes.push_back({line, what});
}

const char* CalendarEntryReader::refusalOf(icalcomponent* event, icalcomponent* calendar) const {
    if (summaryText(icalcomponent_get_summary(event)).empty()) return _("no summary");
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED) return _("cancelled");
    const icaltimetype start = startOf(event, calendar);
    if (isImpossible(start)) return _(kImpossibleStart);
    if (!localTimeOf(start).isValid()) return _("no start time that can be read");
    if (isImpossible(endOf(event, calendar)))
        return _("its end is a date or time that does not exist");
    return nullptr;
}

Appointment CalendarEntryReader::singleOf(icalcomponent* event, icalcomponent* calendar) const {
    const SeriesWall local(startOf(event, calendar), false);
    Appointment a = appointmentAt(event, calendar, timesOf(event, calendar, local), local,
                                  summaryText(icalcomponent_get_summary(event)), now_);
    const char* uid = icalcomponent_get_uid(event);
    if (uid != nullptr) a.uid = keptUid(uid);
    return a;
}

bool CalendarEntryReader::isPresent(const Appointment& a) const {
    if (!a.uid.empty() && presentUids_.contains(a.uid)) return true;
    if (!a.repeats()) return present_.contains(keyOf(a));
    const auto [first, last] = presentSeries_.equal_range(keyOf(a));
    return std::any_of(first, last,
                       [&](const auto& other) { return sameSchedule(a, *other.second); });
}

const char* CalendarEntryReader::add(Appointment&& a) {
    // Only what the document held before counts: two equal entries of the file are two
    // appointments of the document they came from.
    if (isPresent(a)) {
        ++result_.alreadyThere;
        return _("already in the document");
    }
    // A UID names one appointment: a later event of the file under a UID an earlier one took,
    // and no override of it, keeps none and goes out under one of its own.
    if (!a.uid.empty() && !takenUids_.insert(a.uid).second) a.uid.clear();
    const bool repeats = a.repeats();
    if (!appointments.add(std::move(a))) return _("no identifier left");
    ++result_.appointments;
    result_.series += repeats ? 1 : 0;
    return nullptr;
}

void CalendarEntryReader::readEvent(icalcomponent* event, icalcomponent* calendar, size_t line,
                                    const std::vector<EventOverride>& overrides) {
    if (const char* reason = refusalOf(event, calendar)) return skip(line, reason);
    if (const char* problem = unreadRule(event)) note(line, problem);
    if (hasUnreadAlarm(event))
        note(line,
             _("the time (TRIGGER) of an alarm of it cannot be read; that alarm is left out"));
    SeriesRead series;
    if (recurs(event) || !overrides.empty()) {
        series = SeriesReader(calendar, now_, result_.notes, budget_).read(event, line, overrides);
        if (series.failure) return skip(line, series.failure);
    }
    // A rule that could not be read, and nothing else that repeats: the event once.
    if (series.appointments.size() <= 1 &&
        (series.appointments.empty() || !series.appointments[0].repeats()))
        series.appointments = {singleOf(event, calendar)};
    for (Appointment& appointment : series.appointments) {
        if (const char* reason = add(std::move(appointment))) skip(line, reason);
    }
}

void CalendarEntryReader::readLoneOverride(icalcomponent* event, icalcomponent* calendar,
                                           size_t line) {
    if (const char* reason = refusalOf(event, calendar)) return skip(line, reason);
    const int32_t id = appointments.nextId();
    // Its UID names the series, which this one appointment is not.
    Appointment single = singleOf(event, calendar);
    single.uid.clear();
    if (const char* reason = add(std::move(single))) return skip(line, reason);
    result_.replacingOne.push_back(id);
    note(line, _("it changes one occurrence (RECURRENCE-ID) of a recurring event the file does "
                 "not hold; added as a single appointment"));
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
    if (dueLocal.isValid() && isLaterLocalTime(due)) task.laterOfTwo |= Task::kLaterDue;
    if (isCompletedTodo(todo)) {
        task.Priority = Task::Done;
        icalproperty* completed = icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY);
        if (completed) task.DoneDate = localTimeOf(icalproperty_get_completed(completed)).date();
    } else {
        task.Priority = priorityOf(todo);
    }
    if (const char* uid = icalcomponent_get_uid(todo); uid != nullptr) task.uid = keptUid(uid);
    const bool known = task.uid.empty() ? false : presentTaskUids_.contains(task.uid);
    if (known || presentTasks_.contains({task.Description, task.DueDate.continuous()})) {
        ++result_.alreadyThere;
        return skip(line, _("already in the document"));
    }
    if (!tasks.add(std::move(task))) return skip(line, _("no identifier left"));
    ++result_.tasks;
}
