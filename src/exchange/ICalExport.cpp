#include "exchange/ICalExport.h"

#include <libical/ical.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <memory>

#include "exchange/CalendarTime.h"
#include "fileio/AtomicFile.h"
#include "records/LineBreaks.h"
#include "records/PimDocument.h"

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// FNV-1a, so that a record exported twice unchanged keeps its UID and calendars that import
// it again update it rather than add it twice.
uint64_t hashOf(const std::string& text, double moment) {
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&](unsigned char byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (const char c : text)
        mix(static_cast<unsigned char>(c));
    const auto bits = static_cast<uint64_t>(std::llround(moment * 86400.0));
    for (int i = 0; i < 8; ++i)
        mix(static_cast<unsigned char>(bits >> (8 * i)));
    return hash;
}

std::string uidOf(const char* kind, int32_t id, const std::string& text, DateTime moment) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(hashOf(text, moment.continuous())));
    return std::string(kind) + "-" + std::to_string(id) + "-" + hash + "@quillmate";
}

void add(icalcomponent* component, icalproperty* property) {
    icalcomponent_add_property(component, property);
}

icalcomponent* eventOf(const Appointment& a, icaltimetype stamp) {
    icalcomponent* event = icalcomponent_new_vevent();
    add(event,
        icalproperty_new_uid(uidOf("appointment", a.ID, a.Description, a.StartTime).c_str()));
    add(event, icalproperty_new_dtstamp(stamp));
    add(event, icalproperty_new_dtstart(icalTimeOf(a.StartTime)));
    add(event, icalproperty_new_dtend(icalTimeOf(std::max(a.EndTime, a.StartTime))));
    add(event, icalproperty_new_summary(withLf(a.Description).c_str()));
    if (a.Alarm && a.AlarmTime.isValid()) {
        const auto seconds = std::clamp<long long>(
            std::llround((a.AlarmTime - a.StartTime).days() * 86400.0), -INT_MAX, INT_MAX);
        icalcomponent* alarm = icalcomponent_new_valarm();
        add(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        add(alarm, icalproperty_new_trigger(icaltriggertype_from_int(static_cast<int>(seconds))));
        add(alarm, icalproperty_new_description(withLf(a.Description).c_str()));
        icalcomponent_add_component(event, alarm);
    }
    return event;
}

icalcomponent* todoOf(const Task& t, icaltimetype stamp) {
    icalcomponent* todo = icalcomponent_new_vtodo();
    add(todo, icalproperty_new_uid(uidOf("task", t.ID, t.Description, t.DueDate).c_str()));
    add(todo, icalproperty_new_dtstamp(stamp));
    add(todo, icalproperty_new_summary(withLf(t.Description).c_str()));
    if (t.DueDate.isValid()) {
        const bool midnight = t.DueDate == t.DueDate.date();
        add(todo, icalproperty_new_due(midnight ? icalDateOf(t.DueDate) : icalTimeOf(t.DueDate)));
    }
    if (t.isDone()) {
        add(todo, icalproperty_new_status(ICAL_STATUS_COMPLETED));
        add(todo, icalproperty_new_percentcomplete(100));
        if (t.DoneDate.isValid()) add(todo, icalproperty_new_completed(icalTimeOf(t.DoneDate)));
    } else {
        static constexpr int kPriorities[] = {1, 5, 9};
        add(todo, icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
        if (t.Priority >= Task::High && t.Priority <= Task::Low)
            add(todo, icalproperty_new_priority(kPriorities[t.Priority]));
    }
    return todo;
}

}  // namespace

std::string icalendarText(const PimDocument& document, CalendarParts parts, int32_t* records) {
    Component calendar(icalcomponent_new_vcalendar());
    add(calendar.get(), icalproperty_new_version("2.0"));
    add(calendar.get(), icalproperty_new_prodid("-//Tarnwick//Quillmate//EN"));
    // DTSTAMP must be UTC.
    const icaltimetype stamp = icaltime_from_timet_with_zone(
        static_cast<time_t>(std::max<int64_t>(DateTime::now(document.clock()).toSeconds(), 0)), 0,
        icaltimezone_get_utc_timezone());
    int32_t count = 0;
    if (hasAppointments(parts)) {
        for (const auto& [id, appointment] : document.appointments()) {
            // An event needs a start; a record without one has nothing to say.
            if (!appointment.StartTime.isValid()) continue;
            icalcomponent_add_component(calendar.get(), eventOf(appointment, stamp));
            ++count;
        }
    }
    if (hasTasks(parts)) {
        for (const auto& [id, task] : document.tasks()) {
            icalcomponent_add_component(calendar.get(), todoOf(task, stamp));
            ++count;
        }
    }
    if (records) *records = count;
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

ExportResult exportICalendarFile(const PimDocument& document, const std::string& path,
                                 CalendarParts parts) {
    ExportResult result;
    const std::string text = icalendarText(document, parts, &result.records);
    result.status = writeFileAtomically(path, text);
    if (!result.status) result.records = 0;
    return result;
}
