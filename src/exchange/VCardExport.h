#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/VCardWriter.h"
#include "textio/TextExport.h"

class PimDocument;

// The cards of the persons of `document` in ascending ID: all of them, or only those filed in
// the group `groupId`. Each card lists the person's groups as categories, but the universal
// group, which holds everyone. No persons give an empty text. `records` receives the count.
[[nodiscard]] std::string vcardText(const PimDocument& document, VCardVersion version,
                                    std::optional<int32_t> groupId, int32_t* records = nullptr);

// Writes the text of vcardText to `path` in one atomic step.
ExportResult exportVCardFile(const PimDocument& document, const std::string& path,
                             VCardVersion version, std::optional<int32_t> groupId);
