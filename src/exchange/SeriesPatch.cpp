#include "exchange/SeriesPatch.h"

#include <libical/ical.h>

#include <memory>

#include "exchange/CalendarItemPatch.h"
#include "exchange/CalendarOutline.h"
#include "exchange/CalendarParse.h"
#include "exchange/CalendarTime.h"

namespace {

// The schedule comes after the fields of an event.
constexpr size_t kScheduleField = static_cast<size_t>(EventField::Count);

bool isOverride(icalcomponent* event) {
    return icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) != nullptr;
}

std::vector<icalcomponent*> eventsOf(icalcomponent* calendar) {
    std::vector<icalcomponent*> events;
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         c != nullptr; c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
        events.push_back(c);
    return events;
}

// The start an override replaces, as local time, so that one written in UTC and one in
// its zone's time are found the same.
DateTime replacedStart(icalcomponent* event, icalcomponent* calendar) {
    icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
    return localTimeOf(withPropertyZone(icalproperty_get_recurrenceid(id), id, calendar));
}

// The properties of `kinds` in `to` replaced by copies of those in `from`.
void copyProperties(icalcomponent* to, icalcomponent* from,
                    std::initializer_list<icalproperty_kind> kinds) {
    for (const icalproperty_kind kind : kinds) {
        while (icalproperty* p = icalcomponent_get_first_property(to, kind)) {
            icalcomponent_remove_property(to, p);
            icalproperty_free(p);
        }
        std::vector<icalproperty*> copies;
        for (icalproperty* p = icalcomponent_get_first_property(from, kind); p != nullptr;
             p = icalcomponent_get_next_property(from, kind))
            copies.push_back(icalproperty_new_clone(p));
        for (icalproperty* copy : copies)
            icalcomponent_add_property(to, copy);
    }
}

// The first alarm's trigger as ours has it; the server's other alarms stay.
void copyAlarm(icalcomponent* to, icalcomponent* from) {
    icalcomponent* theirs = icalcomponent_get_first_component(to, ICAL_VALARM_COMPONENT);
    icalcomponent* ours = icalcomponent_get_first_component(from, ICAL_VALARM_COMPONENT);
    if (ours == nullptr) {
        if (theirs != nullptr) {
            icalcomponent_remove_component(to, theirs);
            icalcomponent_free(theirs);
        }
    } else if (theirs == nullptr) {
        icalcomponent_add_component(to, icalcomponent_new_clone(ours));
    } else {
        copyProperties(theirs, ours, {ICAL_TRIGGER_PROPERTY});
    }
}

void copyZones(icalcomponent* to, icalcomponent* from) {
    std::vector<icalcomponent*> added;
    for (icalcomponent* zone = icalcomponent_get_first_component(from, ICAL_VTIMEZONE_COMPONENT);
         zone != nullptr; zone = icalcomponent_get_next_component(from, ICAL_VTIMEZONE_COMPONENT)) {
        icalproperty* id = icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY);
        if (id == nullptr) continue;
        if (icalcomponent_get_timezone(to, icalproperty_get_tzid(id)) == nullptr)
            added.push_back(icalcomponent_new_clone(zone));
    }
    for (icalcomponent* zone : added)
        icalcomponent_add_component(to, zone);
}

void patchOverrides(icalcomponent* server, icalcomponent* ours) {
    std::vector<icalcomponent*> wanted;
    for (icalcomponent* event : eventsOf(ours))
        if (isOverride(event)) wanted.push_back(event);
    std::vector<bool> kept(wanted.size(), false);
    for (icalcomponent* event : eventsOf(server)) {
        if (!isOverride(event)) continue;
        const DateTime key = replacedStart(event, server);
        size_t match = 0;
        while (match < wanted.size() && (kept[match] || replacedStart(wanted[match], ours) != key))
            ++match;
        if (match == wanted.size()) {
            icalcomponent_remove_component(server, event);
            icalcomponent_free(event);
            continue;
        }
        kept[match] = true;
        copyProperties(event, wanted[match],
                       {ICAL_RECURRENCEID_PROPERTY, ICAL_SUMMARY_PROPERTY, ICAL_DTSTART_PROPERTY,
                        ICAL_DTEND_PROPERTY, ICAL_DURATION_PROPERTY});
        copyAlarm(event, wanted[match]);
    }
    for (size_t i = 0; i < wanted.size(); ++i) {
        if (kept[i]) continue;
        icalcomponent* copy = icalcomponent_new_clone(wanted[i]);
        // Ours carries our UID; the server's resource has its own.
        if (icalcomponent* master = masterOf(server, ICAL_VEVENT_COMPONENT))
            copyProperties(copy, master, {ICAL_UID_PROPERTY});
        icalcomponent_add_component(server, copy);
    }
}

}  // namespace

std::string patchSeries(std::string_view serverText, std::string_view ourText,
                        const std::vector<bool>& changed) {
    const Component server = serverCalendar(serverText);
    const Component ours = serverCalendar(ourText);
    icalcomponent* master = server ? masterOf(server.get(), ICAL_VEVENT_COMPONENT) : nullptr;
    icalcomponent* ourMaster = ours ? masterOf(ours.get(), ICAL_VEVENT_COMPONENT) : nullptr;
    if (master == nullptr || ourMaster == nullptr) return {};
    const auto marked = [&](size_t field) { return field < changed.size() && changed[field]; };
    if (marked(size_t(EventField::Description)))
        copyProperties(master, ourMaster, {ICAL_SUMMARY_PROPERTY});
    if (marked(size_t(EventField::Alarm))) copyAlarm(master, ourMaster);
    const bool timesChanged = marked(size_t(EventField::Start)) ||
                              marked(size_t(EventField::End)) || marked(kScheduleField);
    if (timesChanged) {
        copyProperties(
            master, ourMaster,
            {ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY, ICAL_DURATION_PROPERTY,
             ICAL_RRULE_PROPERTY, ICAL_RDATE_PROPERTY, ICAL_EXDATE_PROPERTY, ICAL_EXRULE_PROPERTY});
        patchOverrides(server.get(), ours.get());
        copyZones(server.get(), ours.get());
    }
    return calendarTextOf(server.get());
}
