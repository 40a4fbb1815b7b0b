#pragma once

#include <functional>
#include <iterator>
#include <type_traits>
#include <vector>

// What `part` gives for each element of `range`, in order: the ids of rows, the names of
// records, so that a list compares as a whole.
template <class Range, class Part>
auto collect(const Range& range, Part part) {
    using Value = std::invoke_result_t<Part, decltype(*std::begin(range))>;
    std::vector<std::remove_cvref_t<Value>> out;
    for (const auto& element : range)
        out.push_back(std::invoke(part, element));
    return out;
}
