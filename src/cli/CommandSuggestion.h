#pragma once

#include <optional>
#include <string>
#include <vector>

// The name of `names` closest to a mistyped `word`: the one needing the fewest
// single-letter edits, when that is few enough to be a slip; empty otherwise.
[[nodiscard]] std::optional<std::string> nearestName(const std::string& word,
                                                     const std::vector<std::string>& names);
