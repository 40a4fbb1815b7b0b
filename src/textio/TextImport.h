#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"
#include "records/UndoStepNames.h"
#include "textio/TextTransferSpec.h"

class Locale;
class PimDocument;

// A record of the file that added nothing, and why.
struct SkippedRecord {
    size_t line;         // the line of the file on which the record begins, from 1
    const char* reason;  // "no task", "clashes with an existing appointment", ...
};

// What an import did.
struct ImportResult {
    int32_t added = 0;                   // records added to the document
    std::vector<SkippedRecord> skipped;  // non-blank records that added nothing
    Status status;                       // a failure when the file could not be read
};

// A large file is read through this much memory, reused, rather than memory of its size.
inline constexpr size_t kImportWindowBytes = size_t{1} << 20;

// Adds to `document` a record for every usable record of `bytes`, the contents of a
// delimited text file (UTF-8, its stray bytes read as Windows-1252; a byte-order mark is
// skipped). Column i is read into the field `spec.columnFields[i]` ("" skips it); the
// encloser, separator and header flag come from `spec`. Existing records stay as they are.
// The views hear of the change once, after the last record.
ImportResult importText(TransferKind kind, PimDocument& document, const TextTransferSpec& spec,
                        std::string_view bytes, const Locale& locale);

// Reads `spec.fileName` and imports it as above; a file that cannot be read is a failure
// that adds nothing. The file is read a window of `windowBytes` at a time where its text
// allows, else whole; only tests ask for another window than the default.
ImportResult importFile(TransferKind kind, PimDocument& document, const TextTransferSpec& spec,
                        const Locale& locale, size_t windowBytes = kImportWindowBytes);

// The step of the undo history an import of `kind` runs as, as the Edit menu names it.
[[nodiscard]] UndoStep importStep(TransferKind kind);
