#pragma once

#include <vector>

#include "textio/TextTransferSpec.h"

// The names other programs give the columns of their files, for matching a header line.

// A phone column whose kind stands in another column.
inline constexpr const char* kTypedPhone = "?phone";

// One name a column may have and the field it means.
struct ColumnAlias {
    const char* name;  // normalized: lower case, no blanks or punctuation
    const char* field;
    int rank;
};

// Every name known for the columns of a kind of record.
[[nodiscard]] const std::vector<ColumnAlias>& aliasesOf(TransferKind kind);
