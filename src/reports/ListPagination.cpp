#include "reports/ListPagination.h"

#include <cstdint>

std::vector<PageItems> paginateList(size_t count, int top, int bottom, int lineHeight) {
    std::vector<PageItems> pages;
    if (count == 0) return pages;
    pages.emplace_back();
    // 64 bits: a hostile margin or font size must not wrap the cursor around.
    int64_t y = int64_t{top} + 2 * int64_t{lineHeight};
    for (size_t i = 0; i < count; ++i) {
        y += lineHeight;
        // A page too short for even one row still takes one, rather than staying blank.
        if (y >= bottom && !pages.back().empty()) {
            pages.emplace_back();
            y = int64_t{top} + 3 * int64_t{lineHeight};
        }
        pages.back().push_back(i);
    }
    return pages;
}
