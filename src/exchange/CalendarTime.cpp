#include "exchange/CalendarTime.h"

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

}  // namespace

DateTime localTimeOf(icaltimetype time) {
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time)) return DateTime();
    if (time.is_date) return DateTime::fromFields(time.year, time.month, time.day);
    icaltimezone* zone = icaltime_is_utc(time) ? icaltimezone_get_utc_timezone()
                                               : const_cast<icaltimezone*>(time.zone);
    if (zone == nullptr)
        return DateTime::fromFields(time.year, time.month, time.day, time.hour, time.minute,
                                    time.second);
    return DateTime::localFieldsAt(icaltime_as_timet_with_zone(time, zone));
}

icaltimetype icalTimeOf(DateTime local) {
    const auto fields = local.fields();
    if (!fields) return icaltime_null_time();
    const int64_t seconds = local.toSeconds();
    if (seconds >= 0 && DateTime::localFieldsAt(seconds) == local)
        return icaltime_from_timet_with_zone(static_cast<time_t>(seconds), 0,
                                             icaltimezone_get_utc_timezone());
    return floatingTime(*fields);
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
    if (icaltimezone* zone = icaltimezone_get_builtin_timezone_from_tzid(name)) return zone;
    return icaltimezone_get_builtin_timezone(name);
}

icaltimetype withPropertyZone(icaltimetype time, icalproperty* property, icalcomponent* calendar) {
    if (!time.is_date && !icaltime_is_utc(time) && time.zone == nullptr)
        time.zone = zoneOfProperty(property, calendar);
    return time;
}
