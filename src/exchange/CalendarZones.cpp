#include "exchange/CalendarZones.h"

#include <libical/ical.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>

#include "exchange/CalendarParse.h"
#include "records/ZoneRules.h"

namespace {

// The zone's name from a path into the database ("/usr/share/zoneinfo/Europe/Berlin").
std::string nameInDatabase(std::string path) {
    static constexpr std::string_view kFolder = "zoneinfo/";
    if (const size_t at = path.rfind(kFolder); at != std::string::npos)
        path.erase(0, at + kFolder.size());
    if (path.starts_with("posix/")) path.erase(0, 6);
    return path;
}

}  // namespace

std::string localZoneName() {
    std::string name;
    if (const char* tz = std::getenv("TZ")) {
        name = tz;
        if (name.starts_with(':')) name.erase(0, 1);
    } else {
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink("/etc/localtime", error);
        if (error) return "";
        name = target.string();
    }
    name = nameInDatabase(std::move(name));
    // Both must know it: the model's wall clock and the definition written for readers.
    if (ZoneRules::named(name) == nullptr) return "";
    if (icaltimezone_get_builtin_timezone(name.c_str()) == nullptr) return "";
    return name;
}

bool isUtcZoneName(const std::string& name) {
    return icaltimezone_get_builtin_timezone(name.c_str()) == icaltimezone_get_utc_timezone();
}

std::string zoneDefinition(const std::string& name) {
    icaltimezone* zone = icaltimezone_get_builtin_timezone(name.c_str());
    icalcomponent* definition = zone != nullptr ? icaltimezone_get_component(zone) : nullptr;
    if (definition == nullptr) return "";
    icalcomponent* copy = icalcomponent_new_clone(definition);
    const std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> owned(copy, icalcomponent_free);
    if (icalproperty* tzid = icalcomponent_get_first_property(copy, ICAL_TZID_PROPERTY))
        icalproperty_set_tzid(tzid, name.c_str());
    return calendarTextOf(copy);
}
