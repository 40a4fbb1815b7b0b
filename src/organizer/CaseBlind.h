#pragma once

#include <algorithm>
#include <string_view>

// Compares two texts as a list box sorts its entries: byte for byte with ASCII letters
// folded to lower case. Negative, zero or positive, as std::string::compare.
[[nodiscard]] inline int compareCaseBlind(std::string_view a, std::string_view b) {
    const auto fold = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 'A' && u <= 'Z' ? u - 'A' + 'a' : u;
    };
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = fold(a[i]);
        const int cb = fold(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
