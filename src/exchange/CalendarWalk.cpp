#include "exchange/CalendarWalk.h"
#include "platform/Translate.h"

#include <set>

namespace {

std::string uidOf(icalcomponent* event) {
    const char* uid = icalcomponent_get_uid(event);
    return uid != nullptr ? uid : "";
}

bool overridesOne(icalcomponent* event) {
    return icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) != nullptr;
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
    number(root);
    read(root);
}

void CalendarWalk::number(icalcomponent* calendar) {
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
        lines_[c] = nextLine(c);
        if (icalcomponent_isa(c) == ICAL_VCALENDAR_COMPONENT) number(c);
    }
}

void CalendarWalk::read(icalcomponent* calendar) {
    // The overrides of each series, by UID, wherever they stand in the calendar.
    std::map<std::string, std::vector<EventOverride>> overrides;
    std::set<std::string> series;
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const std::string uid = uidOf(c);
        if (uid.empty()) continue;
        if (overridesOne(c))
            overrides[uid].push_back({c, lines_[c]});
        else
            series.insert(uid);
    }
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        const size_t line = lines_[c];
        if (kind == ICAL_VCALENDAR_COMPONENT) {
            read(c);
        } else if (kind == ICAL_VTODO_COMPONENT) {
            if (hasTasks(parts_)) reader_.readTask(c, calendar, line);
        } else if (kind == ICAL_VEVENT_COMPONENT) {
            if (!hasAppointments(parts_)) continue;
            const std::string uid = uidOf(c);
            if (!overridesOne(c)) {
                // A second series of the same UID gets no overrides: the first took them.
                const auto own = overrides.extract(uid);
                static const std::vector<EventOverride> kNone;
                reader_.readEvent(c, calendar, line, own.empty() ? kNone : own.mapped());
            } else if (uid.empty() || !series.contains(uid)) {
                reader_.readLoneOverride(c, calendar, line);
            }
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
