#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "textio/ImportReport.h"
#include "textio/TextImport.h"

class PimDocument;

// What a vCard import did.
struct VCardImportResult : ImportResult {
    int32_t groupsAdded = 0;    // groups made for categories the document did not have
    int32_t valuesLeftOut = 0;  // values of the persons added that have no field of their own
    int32_t alreadyThere = 0;   // cards of persons the document held before, among the skipped
};

// Adds to `document` a person for every card of `bytes`, the contents of a vCard file of
// version 2.1, 3.0 or 4.0 (UTF-8, UTF-16 with its byte-order mark, or in the character sets
// its properties name). A card that names neither a person nor a company, or that the file
// does not end, is skipped and listed, and so is a card of a person the document held before
// (KnownPersons: by UID, else by name and a phone or e-mail address). A person keeps the
// card's UID. Each person is filed in the groups its categories
// name, made when the document has none of that exact name, and in the universal group, as
// the person editor files them; texts are completed as the delimited text import completes
// them. Groups and persons go into the document as one change. Text holding no card at all
// is a Content failure that adds nothing.
VCardImportResult importVCardText(PimDocument& document, std::string_view bytes);

// Reads the file at `path` and imports it as above.
VCardImportResult importVCardFile(PimDocument& document, const std::string& path);

// What the import of `file` did, for reportImport: "12 names added to current database,
// 1 card skipped, 2 groups added."
[[nodiscard]] ImportTally vcardTally(const VCardImportResult& result, const std::string& file);
