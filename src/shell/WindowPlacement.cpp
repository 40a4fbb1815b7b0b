#include "shell/WindowPlacement.h"

#include <algorithm>

namespace {

// The stretch from `low` to `high`, moved and shrunk into `from` to `to` and at least
// `minimum` long; its start and end, or nothing when it is empty or inverted.
struct Span {
    int64_t begin;
    int64_t end;
};

std::optional<Span> fitSpan(int64_t low, int64_t high, int64_t from, int64_t to, int64_t minimum) {
    if (high <= low) return std::nullopt;
    const int64_t length = std::max(std::min(high - low, to - from), minimum);
    const int64_t begin = std::clamp(low, from, std::max(from, to - length));
    return Span{begin, begin + length};
}

int32_t narrow(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

uint64_t overlap(int32_t low1, int32_t high1, int32_t low2, int32_t high2) {
    const int64_t length = int64_t{std::min(high1, high2)} - std::max(low1, low2);
    return length > 0 ? static_cast<uint64_t>(length) : 0;
}

}  // namespace

uint64_t ScreenRect::overlapArea(const ScreenRect& other) const {
    // Each side is below 2^32, so the product fits.
    return overlap(left, right, other.left, other.right) *
           overlap(top, bottom, other.top, other.bottom);
}

std::optional<ScreenRect> ScreenRect::fittedInto(const ScreenRect& area, int32_t minWidth,
                                                 int32_t minHeight) const {
    const auto x = fitSpan(left, right, area.left, area.right, minWidth);
    const auto y = fitSpan(top, bottom, area.top, area.bottom, minHeight);
    if (!x || !y) return std::nullopt;
    return ScreenRect{narrow(x->begin), narrow(y->begin), narrow(x->end), narrow(y->end)};
}
