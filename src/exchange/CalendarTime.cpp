#include "exchange/CalendarTime.h"

#include <cstring>
#include <string_view>

#include "records/SecondsConverter.h"
#include "records/ZoneRules.h"

namespace {

icaltimetype floatingTime(const CalendarFields& f) {
    icaltimetype t = icaltime_null_time();
    t.year = f.year;
    t.month = f.month;
    t.day = f.day;
    t.hour = f.hour;
    t.minute = f.minute;
    t.second = f.second;
    return t;
}

// The zone of the system's database with this name, or with the zone path at its end
// ("/vendor.example/20070129_1/America/New_York").
icaltimezone* systemZoneNamed(const char* name) {
    if (name == nullptr || *name == '\0') return nullptr;
    if (icaltimezone* zone = icaltimezone_get_builtin_timezone_from_tzid(name)) return zone;
    if (icaltimezone* zone = icaltimezone_get_builtin_timezone(name)) return zone;
    for (const char* slash = name; (slash = std::strchr(slash, '/')) != nullptr; ++slash) {
        if (slash[1] == '\0') break;
        if (icaltimezone* zone = icaltimezone_get_builtin_timezone(slash + 1)) return zone;
    }
    return nullptr;
}

// The rules of the system's database for a zone name, or for the zone path at its end.
const ZoneRules* rulesNamed(const char* name) {
    if (name == nullptr || *name == '\0') return nullptr;
    if (const ZoneRules* rules = ZoneRules::named(name)) return rules;
    for (const char* slash = name; (slash = std::strchr(slash, '/')) != nullptr; ++slash) {
        if (slash[1] == '\0') break;
        if (const ZoneRules* rules = ZoneRules::named(slash + 1)) return rules;
    }
    return nullptr;
}

// Whether libical made the zone from the system's database: their names carry its prefix.
// Told by the name, since a look-up among the system's zones for every time read would
// cost more than the rest of reading it.
bool isSystemZone(icaltimezone* zone) {
    static constexpr std::string_view kSystemPrefix = "/freeassociation.sourceforge.net/";
    if (zone == icaltimezone_get_utc_timezone()) return true;
    const char* tzid = icaltimezone_get_tzid(zone);
    return tzid != nullptr && std::string_view(tzid).starts_with(kSystemPrefix);
}

// Whether a zone the file defines has a rule for the day of `time`: an onset on or before
// it, and a rule that still runs in its year or an onset in that year or the one before.
// Calendars often carry only the rules of the years they were written in.
bool fileZoneCovers(icaltimezone* zone, const icaltimetype& time) {
    icalcomponent* definition = icaltimezone_get_component(zone);
    if (definition == nullptr) return true;
    bool onsetBefore = false;
    bool reaches = false;
    for (icalcomponent* c = icalcomponent_get_first_component(definition, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(definition, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        if (kind != ICAL_XSTANDARD_COMPONENT && kind != ICAL_XDAYLIGHT_COMPONENT) continue;
        icalproperty* startProperty = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
        if (startProperty == nullptr) continue;
        const icaltimetype onset = icalproperty_get_dtstart(startProperty);
        if (icaltime_compare_date_only(onset, time) > 0) continue;
        onsetBefore = true;
        if (onset.year >= time.year - 1) reaches = true;
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_RRULE_PROPERTY)) {
            const icalrecurrencetype rule = icalproperty_get_rrule(p);
            if (icaltime_is_null_time(rule.until) || rule.until.year >= time.year) reaches = true;
        }
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_RDATE_PROPERTY)) {
            const icaltimetype date = icalproperty_get_rdate(p).time;
            if (date.year >= time.year - 1 && date.year <= time.year) reaches = true;
        }
    }
    return onsetBefore && reaches;
}

// The zone to read a time in: its own, unless the file's definition has no rule for its
// day and the system's database knows the zone by name; then the database's.
icaltimezone* zoneForTime(icaltimezone* zone, const icaltimetype& time) {
    if (isSystemZone(zone) || fileZoneCovers(zone, time)) return zone;
    icaltimezone* known = systemZoneNamed(icaltimezone_get_tzid(zone));
    if (known == nullptr) known = systemZoneNamed(icaltimezone_get_location(zone));
    return known != nullptr ? known : zone;
}

}  // namespace

bool isRealTime(const icaltimetype& time) {
    return DateTime::fromFields(time.year, time.month, time.day, time.is_date ? 0 : time.hour,
                                time.is_date ? 0 : time.minute, time.is_date ? 0 : time.second)
        .isValid();
}

DateTime localTimeOf(icaltimetype time) {
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time) || !isRealTime(time))
        return DateTime();
    if (time.is_date || (!icaltime_is_utc(time) && time.zone == nullptr))
        return writtenTimeOf(time);
    const std::optional<int64_t> instant = instantOfTime(time);
    return instant ? DateTime::localFieldsAt(*instant) : DateTime();
}

DateTime writtenTimeOf(const icaltimetype& time) {
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time) || !isRealTime(time))
        return DateTime();
    if (time.is_date) return DateTime::fromFields(time.year, time.month, time.day);
    return DateTime::fromFields(time.year, time.month, time.day, time.hour, time.minute,
                                time.second);
}

const ZoneRules* systemRulesOf(const icaltimetype& time) {
    if (time.is_date || icaltime_is_utc(time) || time.zone == nullptr) return nullptr;
    auto* zone = const_cast<icaltimezone*>(time.zone);
    if (const ZoneRules* rules = rulesNamed(icaltimezone_get_location(zone))) return rules;
    return rulesNamed(icaltimezone_get_tzid(zone));
}

std::optional<int64_t> instantOfTime(const icaltimetype& time) {
    const DateTime written = writtenTimeOf(time);
    if (!written.isValid() || time.is_date) return std::nullopt;
    if (icaltime_is_utc(time)) return written.localSeconds();
    if (time.zone == nullptr) return std::nullopt;
    // The system's rules where it has the zone: libical reads a time the clocks skip with
    // the offset after the change, and one they repeat at its second instant.
    if (const ZoneRules* rules = systemRulesOf(time))
        return rules->instantOf(*written.localSeconds());
    icaltimezone* zone = zoneForTime(const_cast<icaltimezone*>(time.zone), time);
    return int64_t(icaltime_as_timet_with_zone(time, zone));
}

bool isLaterLocalTime(const icaltimetype& time) {
    const std::optional<int64_t> instant = instantOfTime(time);
    SecondsConverter seconds(SecondsConverter::Memory::None);
    return instant && seconds.isLaterOfTwo(*instant);
}

int64_t zoneOffsetAt(const icaltimetype& time, int64_t instant) {
    if (time.is_date || icaltime_is_utc(time) || time.zone == nullptr) return 0;
    if (const ZoneRules* rules = systemRulesOf(time)) return rules->offsetAt(instant);
    icaltimetype utc = icaltime_from_timet_with_zone(static_cast<time_t>(instant), 0,
                                                     icaltimezone_get_utc_timezone());
    auto* zone = const_cast<icaltimezone*>(time.zone);
    return icaltimezone_get_utc_offset_of_utc_time(zone, &utc, nullptr);
}

icaltimetype icalTimeOf(DateTime local, bool later) {
    SecondsConverter seconds(SecondsConverter::Memory::None);
    return icalTimeOf(writtenTime(local, seconds, later));
}

icaltimetype icalTimeOf(const std::optional<WrittenTime>& written) {
    if (!written) return icaltime_null_time();
    icaltimetype t = floatingTime(written->fields);
    if (written->utc) t.zone = icaltimezone_get_utc_timezone();
    return t;
}

icaltimetype floatingTimeOf(DateTime local) {
    const auto fields = local.fields();
    return fields ? floatingTime(*fields) : icaltime_null_time();
}

icaltimetype icalDateOf(DateTime local) {
    const auto fields = local.fields();
    if (!fields) return icaltime_null_time();
    icaltimetype t = floatingTime(*fields);
    t.hour = t.minute = t.second = 0;
    t.is_date = 1;
    return t;
}

icaltimezone* zoneOfProperty(icalproperty* property, icalcomponent* calendar) {
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    if (tzid == nullptr) return nullptr;
    const char* name = icalparameter_get_tzid(tzid);
    if (name == nullptr) return nullptr;
    if (icaltimezone* zone = icalcomponent_get_timezone(calendar, name)) return zone;
    return systemZoneNamed(name);
}

icaltimetype withPropertyZone(icaltimetype time, icalproperty* property, icalcomponent* calendar) {
    if (property != nullptr && !time.is_date && !icaltime_is_utc(time) && time.zone == nullptr)
        time.zone = zoneOfProperty(property, calendar);
    return time;
}

icaltimetype startOf(icalcomponent* component, icalcomponent* calendar) {
    return withPropertyZone(icalcomponent_get_dtstart(component),
                            icalcomponent_get_first_property(component, ICAL_DTSTART_PROPERTY),
                            calendar);
}

icaltimetype endOf(icalcomponent* event, icalcomponent* calendar) {
    icaltimetype end = icalcomponent_get_dtend(event);
    if (icalproperty* property = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY))
        return withPropertyZone(end, property, calendar);
    // An end that a duration gives has the zone of the start.
    if (!end.is_date && !icaltime_is_utc(end) && end.zone == nullptr)
        end.zone = startOf(event, calendar).zone;
    return end;
}

icaltimetype dueOf(icalcomponent* todo, icalcomponent* calendar) {
    return withPropertyZone(icalcomponent_get_due(todo),
                            icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY), calendar);
}
