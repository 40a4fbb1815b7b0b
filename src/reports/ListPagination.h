#pragma once

#include <cstddef>
#include <vector>

// One page of a list report: the indexes of its items, in list order.
using PageItems = std::vector<size_t>;

// Splits `count` list rows, one line apart, into pages whose content runs from `top` to
// `bottom`: the first page's first row stands at top + 3 lines (below the title and the
// column heads), and a row moves to the next page when its top edge would reach `bottom`
// (a page holds at least one row however short it is). No pages for an empty list.
[[nodiscard]] std::vector<PageItems> paginateList(size_t count, int top, int bottom,
                                                  int lineHeight);
