// Feeds arbitrary bytes to the delimited text importer of every record kind, then exports
// what was added and imports that again. The first byte picks the kind, the separator, the
// encloser and the header flag; with the header flag, bit 6 maps the columns through the
// header line as "--columns auto" does, alternate columns included. Without the header
// search, the bytes are also imported from a file through a small window, which must add
// what the whole text adds.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/FixedLocale.h"
#include "textio/DelimitedTextDecoding.h"
#include "textio/HeaderSearch.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

namespace {

// A file of its own for this process, for the bytes to be read from.
const std::string& scratchFile() {
    static const std::string path = [] {
        std::string pattern = "/tmp/fuzz-csv-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) std::abort();
        close(fd);
        return pattern;
    }();
    return path;
}

void expectSameFromFile(TransferKind kind, TextTransferSpec spec, std::string_view bytes,
                        const ImportResult& whole, const PimDocument& document) {
    spec.fileName = scratchFile();
    std::ofstream(spec.fileName, std::ios::binary | std::ios::trunc) << bytes;
    PimDocument windowed(document.clock());
    const ImportResult fromFile = importFile(kind, windowed, spec, FixedLocale(), 512);
    bool same = fromFile.status.ok() && fromFile.added == whole.added &&
                fromFile.skipped.size() == whole.skipped.size() &&
                windowed.persons() == document.persons() && windowed.tasks() == document.tasks() &&
                windowed.appointments() == document.appointments() &&
                windowed.phGroups() == document.phGroups();
    for (size_t i = 0; same && i < whole.skipped.size(); ++i)
        same = fromFile.skipped[i].line == whole.skipped[i].line &&
               std::strcmp(fromFile.skipped[i].reason, whole.skipped[i].reason) == 0;
    if (!same) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    static const FixedLocale locale;
    const uint8_t choice = data[0];
    const auto kind = static_cast<TransferKind>(choice % 3);
    static const char* const kSeparators[] = {",", ";", "|", " ", "\t"};
    static const char* const kEnclosers[] = {"\"", "'", ""};

    TextTransferSpec in = makeImportSpec(kind);
    in.columnFields = in.fieldNames;
    in.columnCount = static_cast<int32_t>(in.columnFields.size());
    in.separator = kSeparators[(choice / 3) % 5];
    in.encloser = kEnclosers[(choice / 15) % 3];
    in.firstLineHasNames = (choice & 0x80) != 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    PimDocument document(clock);
    const std::string decoded = decodeDelimitedText(bytes);
    FieldTokenizer tokenizer;
    if (!in.encloser.empty()) tokenizer.SetEncloser(in.encloser[0]);
    tokenizer.SetSeparator(in.separator[0]);
    const auto header = in.firstLineHasNames && (choice & 0x40) != 0
                            ? findHeaderLine(kind, decoded, tokenizer)
                            : std::nullopt;
    if (header) {
        in.columnFields = header->fields;
        in.columnCount = static_cast<int32_t>(in.columnFields.size());
        in.columnAlternates = header->alternates;
        (void)importText(kind, document, in, std::string_view(decoded).substr(header->offset),
                         locale);
        in.columnAlternates.clear();
    } else {
        const ImportResult whole = importText(kind, document, in, bytes, locale);
        expectSameFromFile(kind, in, bytes, whole, document);
    }

    TextTransferSpec out = makeExportSpec(kind);
    out.columnFields = out.fieldNames;
    out.separator = in.separator;
    out.encloser = in.encloser;
    out.firstLineHasNames = true;
    const std::string text = exportText(kind, document, out, locale);
    in.columnFields = out.fieldNames;
    in.columnCount = static_cast<int32_t>(in.columnFields.size());
    in.firstLineHasNames = true;
    PimDocument again(clock);
    (void)importText(kind, again, in, text, locale);
    return 0;
}
