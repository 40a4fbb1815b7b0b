#include "cli/CommandSuggestion.h"

#include <algorithm>
#include <vector>

namespace {

// Insertions, deletions, substitutions and swaps of neighbours that turn `a` into `b`.
size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (a[i - 1] != b[j - 1] ? 1 : 0)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

std::optional<std::string> nearestName(const std::string& word,
                                       const std::vector<std::string>& names) {
    std::optional<std::string> best;
    size_t bestDistance = 0;
    for (const std::string& name : names) {
        const size_t distance = editDistance(word, name);
        if (!best || distance < bestDistance) {
            best = name;
            bestDistance = distance;
        }
    }
    // More edits than a third of the name is a different word, not a slip.
    if (!best || bestDistance > std::max<size_t>(1, best->size() / 3)) return std::nullopt;
    return best;
}
