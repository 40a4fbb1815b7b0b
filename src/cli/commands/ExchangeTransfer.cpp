#include "cli/commands/ExchangeTransfer.h"

#include <optional>
#include <ostream>

#include "cli/commands/CommandSupport.h"
#include "docfile/DocumentFile.h"
#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "exchange/RecordUids.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "fileio/AtomicFile.h"
#include "fileio/FileBytes.h"
#include "records/PimDocument.h"

namespace {

CalendarParts partsOf(const std::string& kind) {
    if (kind == "appointments") return CalendarParts::Appointments;
    if (kind == "tasks") return CalendarParts::Tasks;
    return CalendarParts::Both;
}

// The text of the export, or a failure for a group the document does not have.
Status exportedText(const ExchangeRequest& request, const PimDocument& document,
                    std::string& text) {
    if (request.format == TransferFormat::ICalendar) {
        text = icalendarText(document, partsOf(request.kind));
        return {};
    }
    std::optional<int32_t> group;
    if (const auto name = request.args->value("group")) {
        group = groupNamed(document, *name);
        if (!group) return unknownGroup(request.documentPath, *name);
    }
    const VCardVersion version =
        request.args->value("vcard").value_or("3") == "4" ? VCardVersion::V4 : VCardVersion::V3;
    text = vcardText(document, version, group);
    return {};
}

}  // namespace

Status checkExchangeRequest(const ExchangeRequest& request, bool forImport) {
    const bool vcard = request.format == TransferFormat::VCard;
    if (vcard && request.kind != "persons")
        return usageFailure(fillIn(_("a vCard file holds persons, not %s"), {request.kind}));
    if (!vcard && request.kind == "persons")
        return usageFailure(_("an iCalendar file holds appointments and tasks, not persons"));
    for (const char* option : {"separator", "encloser", "fields", "columns", "no-header"}) {
        if (request.args->has(option))
            return usageFailure(
                fillIn(_("%s is for delimited text only"), {std::string("--") + option}));
    }
    if (!forImport && !vcard) {
        for (const char* option : {"group", "vcard"}) {
            if (request.args->has(option))
                return usageFailure(
                    fillIn(_("%s is for vCard only"), {std::string("--") + option}));
        }
    }
    const std::string version = request.args->value("vcard").value_or("3");
    if (version != "3" && version != "4")
        return usageFailure(fillIn(_("unknown %s \"%s\""), {"--vcard", version}));
    return {};
}

Status exportExchange(CliContext& context, const ExchangeRequest& request) {
    // Read without the lock; taken, and the file read again, only when UIDs are to be saved.
    DocumentUpdate update(context, request.documentPath);
    if (Status loaded = update.read(); !loaded) return loaded;
    const PimDocument& document = update.document();
    const UidKinds kinds = request.format == TransferFormat::VCard
                               ? UidKinds{true, false, false}
                               : UidKinds::of(partsOf(request.kind));
    // Records exported for the first time keep the UIDs they go out under (the ones the
    // text names already), saved with the document once the export is written, so that the
    // next export names them the same. A refused or failed export changes nothing.
    const bool givesUids = lacksUids(document, kinds);
    if (givesUids) {
        if (Status loaded = update.load(); !loaded) return loaded;
    }
    std::string text;
    if (Status made = exportedText(request, document, text); !made) return made;
    Status written = request.file == kStandardStream ? writeStandardOutput(context, text)
                                                     : writeFileAtomically(request.file, text);
    if (!written || !givesUids) return written;
    update.workspace().runStep(UndoStep::Export,
                               [&](PimDocument& changed) { return giveUids(changed, kinds); });
    return update.save();
}

Status importExchange(CliContext& context, const ExchangeRequest& request) {
    // Standard input is read before the document is locked, which it may take long to end.
    const bool fromInput = request.file == kStandardStream;
    const std::string name = fromInput ? _(kStandardInputName) : request.file;
    // A file is read into memory of its own, not copied into a string.
    std::string input;
    FileBytes file;
    if (Status read =
            fromInput ? readStandardInput(context, input) : readWholeFile(request.file, file);
        !read) {
        return read;
    }
    const std::string_view bytes = fromInput ? std::string_view(input) : file.view();
    DocumentUpdate update(context, request.documentPath);
    if (Status loaded = update.load(); !loaded) return loaded;

    ImportTally tally;
    bool added = false;
    Workspace& workspace = update.workspace();
    if (request.format == TransferFormat::VCard) {
        const VCardImportResult result = workspace.runStep(
            UndoStep::ImportNames,
            [&](PimDocument& document) { return importVCardText(document, bytes); });
        added = result.added > 0;
        tally = vcardTally(result, name);
    } else {
        const CalendarParts parts = partsOf(request.kind);
        const CalendarImportResult result = workspace.runStep(
            UndoStep::ImportCalendar,
            [&](PimDocument& document) { return importICalendarText(document, bytes, parts); });
        added = result.appointments + result.tasks > 0;
        tally = calendarTally(result, parts, context.locale, name);
    }
    if (!tally.status) return tally.status.inFile(name);
    if (added) {
        if (Status saved = update.save(); !saved) return saved;
    }
    return reportImported(context, tally);
}
