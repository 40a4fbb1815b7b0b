#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The row chosen in one list and the record it carries; -1 for none.
struct ListSelection {
    int32_t id = -1;
    int row = -1;
    bool operator==(const ListSelection&) const = default;
};

// The selection of row `row` of rows carrying an `id`; none when out of range.
template <class Row>
[[nodiscard]] ListSelection rowSelection(const std::vector<Row>& rows, int row) {
    if (row < 0 || static_cast<size_t>(row) >= rows.size()) return {};
    return ListSelection{rows[static_cast<size_t>(row)].id, row};
}

// Where the selection goes when the selected row `row` of `rowCount` rows is removed:
// to the row before it, to the new first row when the first went, to none when the list
// empties. `idAt(i)` is the record ID of row i before the removal.
template <class IdAt>
[[nodiscard]] ListSelection selectionAfterRemoving(size_t rowCount, int row, IdAt idAt) {
    if (rowCount <= 1 || row < 0) return {};
    const auto index = static_cast<size_t>(row);
    const size_t chosen = index > 0 ? index - 1 : 1;
    return ListSelection{idAt(chosen), row > 0 ? row - 1 : 0};
}
