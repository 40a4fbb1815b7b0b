#include "textio/TextImport.h"
#include "platform/Translate.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>

#include "fileio/AtomicFile.h"
#include "fileio/FileBytes.h"
#include "records/PimDocument.h"
#include "textio/AppointmentImport.h"
#include "textio/DelimitedTextDecoding.h"
#include "textio/FieldTokenizer.h"
#include "textio/PersonImport.h"
#include "textio/RecordReader.h"
#include "textio/TaskImport.h"

namespace {

// For each field of the import list, the first column read into it, or -1.
std::vector<int> columnsOfFields(TransferKind kind, const std::vector<std::string>& columns) {
    const auto& names = importFieldNames(kind);
    std::vector<int> columnOf(names.size(), -1);
    for (size_t c = 0; c < columns.size(); ++c) {
        const auto it = std::find(names.begin(), names.end(), columns[c]);
        if (it != names.end() && columnOf[size_t(it - names.begin())] < 0)
            columnOf[size_t(it - names.begin())] = static_cast<int>(c);
    }
    return columnOf;
}

// For each field of the import list, the columns that fill it in want of its own.
std::vector<std::vector<int>> alternatesOfFields(TransferKind kind,
                                                 const std::vector<std::string>& alternates,
                                                 size_t columnCount) {
    const auto& names = importFieldNames(kind);
    std::vector<std::vector<int>> alternatesOf(names.size());
    for (size_t c = 0; c < std::min(alternates.size(), columnCount); ++c) {
        const auto it = std::find(names.begin(), names.end(), alternates[c]);
        if (it != names.end()) alternatesOf[size_t(it - names.begin())].push_back(int(c));
    }
    return alternatesOf;
}

std::unique_ptr<RecordImport> makeImport(TransferKind kind, const PimDocument& document,
                                         std::vector<int> columnOf,
                                         std::vector<std::vector<int>> alternatesOf,
                                         const Locale& locale) {
    switch (kind) {
        case TransferKind::Persons:
            return std::make_unique<PersonImport>(document, std::move(columnOf),
                                                  std::move(alternatesOf), locale);
        case TransferKind::Tasks:
            return std::make_unique<TaskImport>(document, std::move(columnOf), locale);
        case TransferKind::Appointments:
            break;
    }
    return std::make_unique<AppointmentImport>(document, std::move(columnOf), locale);
}

// `knownUtf8` when the bytes are known to be UTF-8 without a zero byte.
ImportResult importRecords(TransferKind kind, PimDocument& document, const TextTransferSpec& spec,
                           std::string_view bytes, const Locale& locale, bool knownUtf8) {
    ImportResult result;
    std::string converted;
    const std::string_view text = knownUtf8 ? decodeUtf8DelimitedText(bytes, converted)
                                            : decodeDelimitedText(bytes, converted);
    FieldTokenizer tokenizer;
    if (!spec.encloser.empty()) tokenizer.SetEncloser(spec.encloser[0]);
    tokenizer.SetSeparator(spec.separator.empty() ? ',' : spec.separator[0]);
    RecordReader reader(text, tokenizer);

    const size_t columnCount =
        std::min(static_cast<size_t>(std::max(spec.columnCount, 0)), spec.columnFields.size());
    const std::vector<std::string> columns(spec.columnFields.begin(),
                                           spec.columnFields.begin() + ptrdiff_t(columnCount));
    const auto import =
        makeImport(kind, document, columnsOfFields(kind, columns),
                   alternatesOfFields(kind, spec.columnAlternates, columnCount), locale);

    std::string_view header;
    if (spec.firstLineHasNames && !reader.next(header)) return result;
    RecordValues fields(columnCount);
    bool blank = false;
    while (reader.nextFields(fields, blank)) {
        if (blank) continue;
        for (std::string_view& value : fields.values) {
            // Placeholders some programs write for a missing value.
            if (value == "EMPTY FIELD" || value == "EOF") value = {};
        }
        if (const char* reason = import->importRecord(fields.values))
            result.skipped.push_back({reader.lineNumber(), reason});
        else
            ++result.added;
    }
    import->addTo(document);
    return result;
}

// importText, with what is known of the bytes' encoding.
ImportResult importDecoded(TransferKind kind, PimDocument& document, const TextTransferSpec& spec,
                           std::string_view bytes, const Locale& locale, bool knownUtf8) {
    try {
        return importRecords(kind, document, spec, bytes, locale, knownUtf8);
    } catch (const std::bad_alloc&) {
        // The records go into the document together at the end, so a failure while the
        // text is read adds none.
        ImportResult result;
        result.status = Status::failure(FailureKind::Read, "", _("not enough memory to import it"));
        return result;
    }
}

}  // namespace

ImportResult importText(TransferKind kind, PimDocument& document, const TextTransferSpec& spec,
                        std::string_view bytes, const Locale& locale) {
    return importDecoded(kind, document, spec, bytes, locale, false);
}

ImportResult importFile(TransferKind kind, PimDocument& document, const TextTransferSpec& spec,
                        const Locale& locale) {
    FileBytes bytes;
    if (Status read = readWholeFile(spec.fileName, bytes); !read) {
        ImportResult result;
        result.status = std::move(read);
        return result;
    }
    // The reading looked at the encoding already.
    const std::optional<Utf8Scan>& scan = bytes.utf8Scan();
    const bool knownUtf8 = scan && scan->valid && scan->length == bytes.size();
    ImportResult result = importDecoded(kind, document, spec, bytes.view(), locale, knownUtf8);
    result.status = result.status.inFile(spec.fileName);
    return result;
}

UndoStep importStep(TransferKind kind) {
    switch (kind) {
        case TransferKind::Persons:
            return UndoStep::ImportNames;
        case TransferKind::Tasks:
            return UndoStep::ImportTasks;
        case TransferKind::Appointments:
            break;
    }
    return UndoStep::ImportAppointments;
}
