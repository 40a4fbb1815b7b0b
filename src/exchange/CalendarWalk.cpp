#include "exchange/CalendarWalk.h"
#include "platform/Translate.h"

#include "exchange/CalendarTime.h"

namespace {

// The local starts of the occurrences that events with a RECURRENCE-ID replace, by UID.
std::map<std::string, std::vector<DateTime>> replacedOccurrences(icalcomponent* calendar) {
    std::map<std::string, std::vector<DateTime>> replaced;
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        icalproperty* id = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY);
        const char* uid = icalcomponent_get_uid(c);
        if (id == nullptr || uid == nullptr) continue;
        replaced[uid].push_back(
            localTimeOf(withPropertyZone(icalproperty_get_recurrenceid(id), id, calendar)));
    }
    return replaced;
}

// Why a component of a calendar adds nothing, for the kinds this program has no record of.
const char* unreadKind(icalcomponent_kind kind) {
    switch (kind) {
        case ICAL_VJOURNAL_COMPONENT:
            return _("a journal entry (VJOURNAL), which has no record here");
        case ICAL_VFREEBUSY_COMPONENT:
            return _("free/busy time (VFREEBUSY), which has no record here");
        case ICAL_VTIMEZONE_COMPONENT:
            return nullptr;  // read where a time names it
        default:
            return _("a component of a kind not read");
    }
}

}  // namespace

void CalendarWalk::readRoot(icalcomponent* root) {
    // The calendar at the root is the file's first.
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT && outline_.hasCalendar)
        taken_["VCALENDAR"] = 1;
    read(root);
}

void CalendarWalk::read(icalcomponent* calendar) {
    const auto replaced = replacedOccurrences(calendar);
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        const size_t line = nextLine(c);
        if (kind == ICAL_VCALENDAR_COMPONENT) {
            read(c);
        } else if (kind == ICAL_VTODO_COMPONENT) {
            if (hasTasks(parts_)) reader_.readTask(c, calendar, line);
        } else if (kind == ICAL_VEVENT_COMPONENT) {
            if (!hasAppointments(parts_)) continue;
            const char* uid = icalcomponent_get_uid(c);
            const auto it = uid ? replaced.find(uid) : replaced.end();
            static const std::vector<DateTime> kNone;
            reader_.readEvent(c, calendar, line, it == replaced.end() ? kNone : it->second);
        } else if (const char* reason = unreadKind(kind)) {
            result_.skipped.push_back({line, reason});
        }
    }
}

size_t CalendarWalk::nextLine(icalcomponent* component) {
    const char* name = icalcomponent_kind_to_string(icalcomponent_isa(component));
    const auto lines = outline_.beginLines.find(name ? name : "");
    if (lines == outline_.beginLines.end()) return 0;
    const size_t index = taken_[lines->first]++;
    return index < lines->second.size() ? lines->second[index] : 0;
}
