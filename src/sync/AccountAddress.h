#pragma once

#include <string>
#include <string_view>

// What matters of an account's address beyond its spelling: a user name or password written
// into it (never wanted: the address is printed, stored and names the keyring's entry), and
// whether two addresses name the same place once the server moved to another port or scheme.

// Whether `url` carries user information ("user:password@") before its host.
[[nodiscard]] bool holdsUserInfo(std::string_view url);
// Whether `a` and `b` name the same path on the same host, whatever their scheme and port.
[[nodiscard]] bool samePlaceOnHost(std::string_view a, std::string_view b);
