#include "exchange/CalendarItemPatch.h"

#include <libical/ical.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

#include "exchange/CalendarOutline.h"
#include "exchange/CalendarParse.h"
#include "exchange/CalendarText.h"
#include "exchange/CalendarTime.h"
#include "exchange/LibicalTurn.h"
#include "records/LineBreaks.h"
#include "records/SecondsConverter.h"

namespace {

void removeAll(icalcomponent* component, icalproperty_kind kind) {
    while (icalproperty* property = icalcomponent_get_first_property(component, kind)) {
        icalcomponent_remove_property(component, property);
        icalproperty_free(property);
    }
}

void replace(icalcomponent* component, icalproperty_kind kind, icalproperty* property) {
    removeAll(component, kind);
    if (property != nullptr) icalcomponent_add_property(component, property);
}

// The calendar of the server's text, or a new one holding a new component named `uid`.
Component calendarOf(std::string_view serverText, icalcomponent_kind kind, const std::string& uid) {
    if (!serverText.empty()) return serverCalendar(serverText);
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Tarnwick//Quillmate//EN"));
    icalcomponent* item = icalcomponent_new(kind);
    icalcomponent_add_property(item, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(
        item,
        icalproperty_new_dtstamp(icaltime_current_time_with_zone(icaltimezone_get_utc_timezone())));
    icalcomponent_add_component(calendar.get(), item);
    return calendar;
}

void setAlarm(icalcomponent* event, const Appointment& a) {
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    if (!a.Alarm || !a.AlarmTime.isValid()) {
        if (alarm != nullptr) {
            icalcomponent_remove_component(event, alarm);
            icalcomponent_free(alarm);
        }
        return;
    }
    // As the clocks run: an hour they skip or repeat between the two counts as it passed.
    SecondsConverter converter(SecondsConverter::Memory::None);
    const auto seconds = std::clamp<long long>(
        secondsBetween(a.StartTime, a.AlarmTime, converter, a.later(Appointment::kLaterStart),
                       a.later(Appointment::kLaterAlarm)),
        -INT_MAX, INT_MAX);
    if (alarm == nullptr) {
        alarm = icalcomponent_new_valarm();
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(alarm,
                                   icalproperty_new_description(withLf(a.Description).c_str()));
        icalcomponent_add_component(event, alarm);
    }
    // As the export writes it: libical would write whole days, which readers take as days
    // on the wall clock.
    std::string lead;
    appendCalendarDuration(lead, static_cast<int>(seconds));
    replace(alarm, ICAL_TRIGGER_PROPERTY,
            icalproperty_new_trigger(icaltriggertype_from_string(lead.c_str())));
}

bool marked(const std::vector<bool>& changed, auto field) {
    return changed[static_cast<size_t>(field)];
}

}  // namespace

std::string patchEvent(std::string_view serverText, const Appointment& a,
                       const std::vector<bool>& changed, const std::string& uid) {
    const auto turn = libicalTurn();
    const Component calendar = calendarOf(serverText, ICAL_VEVENT_COMPONENT, uid);
    icalcomponent* event = calendar ? masterOf(calendar.get(), ICAL_VEVENT_COMPONENT) : nullptr;
    if (event == nullptr) return {};
    const bool fresh = serverText.empty();
    if (fresh || marked(changed, EventField::Description))
        replace(event, ICAL_SUMMARY_PROPERTY,
                icalproperty_new_summary(withLf(a.Description).c_str()));
    const bool startChanged = fresh || marked(changed, EventField::Start);
    if (startChanged || marked(changed, EventField::End)) {
        SecondsConverter seconds(SecondsConverter::Memory::None);
        const WrittenSpan span = writtenSpanOf(a, seconds);
        // A floating end takes a floating start with it, changed or not.
        if (startChanged || (span.start && !span.start->utc))
            replace(event, ICAL_DTSTART_PROPERTY, icalproperty_new_dtstart(icalTimeOf(span.start)));
        removeAll(event, ICAL_DURATION_PROPERTY);
        replace(event, ICAL_DTEND_PROPERTY, icalproperty_new_dtend(icalTimeOf(span.end)));
    }
    if (fresh || marked(changed, EventField::Alarm)) setAlarm(event, a);
    return calendarTextOf(calendar.get());
}

std::string patchTodo(std::string_view serverText, const Task& t, const std::vector<bool>& changed,
                      const std::string& uid) {
    const auto turn = libicalTurn();
    const Component calendar = calendarOf(serverText, ICAL_VTODO_COMPONENT, uid);
    icalcomponent* todo = calendar ? masterOf(calendar.get(), ICAL_VTODO_COMPONENT) : nullptr;
    if (todo == nullptr) return {};
    const bool fresh = serverText.empty();
    if (fresh || marked(changed, TodoField::Description))
        replace(todo, ICAL_SUMMARY_PROPERTY,
                icalproperty_new_summary(withLf(t.Description).c_str()));
    if (fresh || marked(changed, TodoField::Due)) {
        icalproperty* due = nullptr;
        if (t.DueDate.isValid())
            due = icalproperty_new_due(t.DueDate == t.DueDate.date()
                                           ? icalDateOf(t.DueDate)
                                           : icalTimeOf(t.DueDate, t.later(Task::kLaterDue)));
        replace(todo, ICAL_DUE_PROPERTY, due);
    }
    // Done is a priority here; the status and progress are touched only when it changes, so
    // that another client's IN-PROCESS and percentage survive a change of priority.
    const bool wasDone = !fresh && isCompletedTodo(todo);
    if (t.isDone() && (fresh || !wasDone || marked(changed, TodoField::Done))) {
        replace(todo, ICAL_STATUS_PROPERTY, icalproperty_new_status(ICAL_STATUS_COMPLETED));
        replace(todo, ICAL_PERCENTCOMPLETE_PROPERTY, icalproperty_new_percentcomplete(100));
        replace(todo, ICAL_COMPLETED_PROPERTY,
                t.DoneDate.isValid()
                    ? icalproperty_new_completed(icalTimeOf(t.DoneDate, t.later(Task::kLaterDone)))
                    : nullptr);
    } else if (!t.isDone() && (fresh || wasDone)) {
        replace(todo, ICAL_STATUS_PROPERTY, icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
        removeAll(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
        removeAll(todo, ICAL_COMPLETED_PROPERTY);
    }
    if (!t.isDone() && (fresh || marked(changed, TodoField::Priority))) {
        static constexpr int kPriorities[] = {1, 5, 9};
        if (t.Priority >= Task::High && t.Priority <= Task::Low)
            replace(todo, ICAL_PRIORITY_PROPERTY,
                    icalproperty_new_priority(kPriorities[t.Priority]));
    }
    return calendarTextOf(calendar.get());
}

std::string calendarUid(std::string_view text) {
    const std::string unfolded = unfoldedText(text);
    size_t at = 0;
    while ((at = unfolded.find("\nUID", at)) != std::string::npos) {
        const size_t colon = unfolded.find(':', at);
        const size_t end = unfolded.find_first_of("\r\n", at + 1);
        at += 4;
        if (colon == std::string::npos || colon > end) continue;
        if (unfolded.find_first_of(";:", at) != colon && unfolded[at] != ';') continue;
        return unfolded.substr(colon + 1, end - colon - 1);
    }
    return {};
}
