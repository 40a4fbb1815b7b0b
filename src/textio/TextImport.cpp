#include "textio/TextImport.h"
#include "platform/Translate.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>

#include "fileio/AtomicFile.h"
#include "fileio/FileBytes.h"
#include "fileio/FileWindow.h"
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

FieldTokenizer tokenizerFor(const TextTransferSpec& spec) {
    FieldTokenizer tokenizer;
    if (!spec.encloser.empty()) tokenizer.SetEncloser(spec.encloser[0]);
    tokenizer.SetSeparator(spec.separator.empty() ? ',' : spec.separator[0]);
    return tokenizer;
}

// What reading the records found, and the records taken, not yet in the document.
struct ReadRecords {
    ImportResult result;
    std::unique_ptr<RecordImport> import;
};

ReadRecords readRecords(TransferKind kind, const PimDocument& document,
                        const TextTransferSpec& spec, RecordReader& reader, const Locale& locale) {
    const size_t columnCount =
        std::min(static_cast<size_t>(std::max(spec.columnCount, 0)), spec.columnFields.size());
    const std::vector<std::string> columns(spec.columnFields.begin(),
                                           spec.columnFields.begin() + ptrdiff_t(columnCount));
    ReadRecords read{
        {},
        makeImport(kind, document, columnsOfFields(kind, columns),
                   alternatesOfFields(kind, spec.columnAlternates, columnCount), locale)};
    ImportResult& result = read.result;

    std::string_view header;
    if (spec.firstLineHasNames && !reader.next(header)) return read;
    RecordValues fields(columnCount);
    bool blank = false;
    while (reader.nextFields(fields, blank)) {
        if (blank) continue;
        for (std::string_view& value : fields.values) {
            // Placeholders some programs write for a missing value.
            if (value == "EMPTY FIELD" || value == "EOF") value = {};
        }
        if (const char* reason = read.import->importRecord(fields.values))
            result.skipped.push_back({reader.lineNumber(), reason});
        else
            ++result.added;
    }
    return read;
}

// `knownUtf8` when the bytes are known to be UTF-8 without a zero byte.
ImportResult importWhole(TransferKind kind, PimDocument& document, const TextTransferSpec& spec,
                         std::string_view bytes, const Locale& locale, bool knownUtf8) {
    std::string converted;
    const std::string_view text = knownUtf8 ? decodeUtf8DelimitedText(bytes, converted)
                                            : decodeDelimitedText(bytes, converted);
    const FieldTokenizer tokenizer = tokenizerFor(spec);
    RecordReader reader(text, tokenizer);
    ReadRecords read = readRecords(kind, document, spec, reader, locale);
    read.import->addTo(document);
    return std::move(read.result);
}

// The file read a window at a time, which spares a large file's memory and the time the
// system takes to hand it over; nullopt, adding nothing, when its text is to be read whole.
std::optional<ImportResult> importWindowed(TransferKind kind, PimDocument& document,
                                           const TextTransferSpec& spec, const Locale& locale,
                                           size_t windowBytes) {
    FileWindow window(windowBytes);
    if (Status opened = window.open(spec.fileName); !opened) {
        ImportResult result;
        result.status = std::move(opened);
        return result;
    }
    // UTF-16 with a byte-order mark, as the window reads it: its marks as Windows-1252.
    const std::string_view start = window.text();
    if (start.starts_with("\xC3\xBF\xC3\xBE") || start.starts_with("\xC3\xBE\xC3\xBF"))
        return std::nullopt;
    const FieldTokenizer tokenizer = tokenizerFor(spec);
    // The window keeps this much of a record when it slides: a text with a record that still
    // runs on after it at the window's end is read whole.
    RecordReader reader(window, tokenizer, window.memory().size() / 8);
    ReadRecords read = readRecords(kind, document, spec, reader, locale);
    if (reader.needsWholeText()) return std::nullopt;
    if (!window.failure()) {
        read.result = {};
        read.result.status = window.failure();
        return std::move(read.result);
    }
    read.import->addTo(document);
    return std::move(read.result);
}

// The records go into the document together at the end, so a failure while the text is
// read adds none.
template <class Import>
ImportResult withoutRunningOutOfMemory(Import import) {
    try {
        return import();
    } catch (const std::bad_alloc&) {
        ImportResult result;
        result.status = Status::failure(FailureKind::Read, "", _("not enough memory to import it"));
        return result;
    }
}

}  // namespace

ImportResult importText(TransferKind kind, PimDocument& document, const TextTransferSpec& spec,
                        std::string_view bytes, const Locale& locale) {
    return withoutRunningOutOfMemory(
        [&] { return importWhole(kind, document, spec, bytes, locale, false); });
}

ImportResult importFile(TransferKind kind, PimDocument& document, const TextTransferSpec& spec,
                        const Locale& locale, size_t windowBytes) {
    ImportResult result = withoutRunningOutOfMemory([&] {
        if (auto windowed = importWindowed(kind, document, spec, locale, windowBytes))
            return std::move(*windowed);
        FileBytes bytes;
        if (Status read = readWholeFile(spec.fileName, bytes); !read) {
            ImportResult failed;
            failed.status = std::move(read);
            return failed;
        }
        // The reading looked at the encoding already.
        const std::optional<Utf8Scan>& scan = bytes.utf8Scan();
        const bool knownUtf8 = scan && scan->valid && scan->length == bytes.size();
        return importWhole(kind, document, spec, bytes.view(), locale, knownUtf8);
    });
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
