#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "textio/TextTransferSpec.h"

// What a column's name says it holds.
struct ColumnMatch {
    std::string field;  // one of the import field names, "" when the name says nothing
    int rank = 0;       // how surely: a "Name" column is less surely the first name than
                        // "Given Name"; 0 with no field
};

// The field a column of this name holds, going by the names our own export writes and
// those of common address-book, mail, spreadsheet, task and calendar programs, in English
// and the common European languages. Case, blanks and punctuation do not matter.
[[nodiscard]] ColumnMatch matchColumnName(TransferKind kind, std::string_view name);

// The field of each column of a header line: each field goes to the column that names it
// most surely (the leftmost of equals), every other column gets "". `firstValues` holds
// the first record's values where known: a phone column whose kind stands in a "Type" or
// "Label" column beside it ("Phone 1 - Type" = "Mobile") is read into the phone of that kind.
[[nodiscard]] std::vector<std::string> assignColumnsByName(
    TransferKind kind, const std::vector<std::string>& names,
    const std::vector<std::string>& firstValues = {});

// For each column `fields` leaves unassigned, the field it may stand in for when the column
// holding that field is empty in a record: a second e-mail or phone column, the business
// address beside the home one, a display name beside the first and last names. "" for the
// others, and for every column of tasks and appointments.
[[nodiscard]] std::vector<std::string> alternateColumns(
    TransferKind kind, const std::vector<std::string>& names,
    const std::vector<std::string>& fields, const std::vector<std::string>& firstValues = {});
