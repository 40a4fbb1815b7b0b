#pragma once

#include <string>

// The zones of the system's database that an exported calendar names.

// The name of the local time zone in the system's database ("Europe/Berlin"): the zone TZ
// names, else the one /etc/localtime links to; "" when it names none that both the
// system's database and libical know (TZ holding a rule of its own, a copied file).
[[nodiscard]] std::string localZoneName();

// Whether libical reads the zone of that name as UTC itself, which needs no definition.
[[nodiscard]] bool isUtcZoneName(const std::string& name);

// The VTIMEZONE component of a zone of the system's database as libical makes it, its TZID
// the zone's plain name so that readers without the definition know it too; "" when
// libical does not know the zone.
[[nodiscard]] std::string zoneDefinition(const std::string& name);
