#pragma once

#include <cstring>

#include <pugixml.hpp>

// Reads every attribute name and value and every text below `node`, as a loader must, and
// returns their length so that the walk cannot be left out.
inline size_t pugixmlWalk(const pugi::xml_node& node) {
    size_t total = 0;
    for (const pugi::xml_attribute& attribute : node.attributes())
        total += std::strlen(attribute.name()) + std::strlen(attribute.value());
    for (const pugi::xml_node& child : node.children())
        total += pugixmlWalk(child) + std::strlen(child.value());
    return total;
}
