#pragma once

#include <cstddef>
#include <string>

// "1 card", "2 cards": a count with the noun that fits it.
[[nodiscard]] std::string countOf(size_t count, const char* singular, const char* plural);
