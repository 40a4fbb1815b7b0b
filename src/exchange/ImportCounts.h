#pragma once

#include <cstddef>
#include <string>

// "1 card", "2 cards": a count with its noun, an "s" added for any count but one.
[[nodiscard]] std::string countOf(size_t count, const std::string& noun);
