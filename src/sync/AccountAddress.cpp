#include "sync/AccountAddress.h"

#include <algorithm>
#include <cctype>

namespace {

// The parts of "scheme://userinfo@host:port/path"; `authority` is empty for an address
// without "://".
struct Parts {
    std::string_view scheme, authority, rest;
};

Parts partsOf(std::string_view url) {
    const size_t colon = url.find("://");
    if (colon == std::string_view::npos) return {{}, {}, url};
    const size_t start = colon + 3;
    const size_t end = std::min(url.find_first_of("/?#", start), url.size());
    return {url.substr(0, colon), url.substr(start, end - start), url.substr(end)};
}

// The host of an authority, lower case, without user information and port.
std::string hostOf(std::string_view authority) {
    if (const size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    const size_t end = authority.starts_with('[') ? authority.find(']') + 1 : authority.find(':');
    std::string host(authority.substr(0, std::min(end, authority.size())));
    std::ranges::transform(host, host.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return host;
}

}  // namespace

bool holdsUserInfo(std::string_view url) {
    return partsOf(url).authority.find('@') != std::string_view::npos;
}

bool samePlaceOnHost(std::string_view a, std::string_view b) {
    const Parts one = partsOf(a), other = partsOf(b);
    if (one.authority.empty() || other.authority.empty()) return a == b;
    const auto path = [](std::string_view rest) {
        return rest.empty() ? std::string_view("/") : rest;
    };
    return hostOf(one.authority) == hostOf(other.authority) && path(one.rest) == path(other.rest);
}
