#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "cli/commands/ExchangeTransfer.h"
#include "cli/commands/HeaderColumns.h"
#include "cli/commands/TransferFormat.h"
#include "docfile/DocumentFile.h"
#include "fileio/AtomicFile.h"
#include "platform/Translate.h"
#include "records/PimDocument.h"
#include "textio/DelimitedTextDecoding.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

namespace {

constexpr const char* kExportArgs =
    "persons|tasks|appointments|calendar DOC OUT|- [--format csv|vcard|ical] "
    "[--separator comma|semicolon|pipe|space|tab] [--encloser double|single|none] [--no-header] "
    "[--fields NAME,NAME,...] [--group NAME] [--vcard 3|4]";
constexpr const char* kImportArgs =
    "persons|tasks|appointments|calendar DOC IN|- [--format csv|vcard|ical] "
    "[--columns NAME,NAME,...|auto] [--separator comma|semicolon|pipe|space|tab|auto] "
    "[--encloser double|single|none] [--no-header] [--dry-run]";

// "FirstName, ,LastName" is three names, the middle one empty.
std::vector<std::string> splitNames(const std::string& list) {
    std::vector<std::string> names;
    size_t from = 0;
    while (true) {
        const size_t comma = std::min(list.find(',', from), list.size());
        const size_t first = list.find_first_not_of(' ', from);
        const size_t last = list.find_last_not_of(' ', comma - 1);
        names.push_back(first < comma && last != std::string::npos && last >= first
                            ? list.substr(first, last + 1 - first)
                            : "");
        if (comma == list.size()) return names;
        from = comma + 1;
    }
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ",") + name;
    return text;
}

// What both commands read from their arguments.
struct TransferRequest {
    CliArgs args;
    TransferKind kind = TransferKind::Persons;
    TextTransferSpec spec;
    std::string documentPath;
    ExchangeRequest exchange;  // the request, when the file is vCard or iCalendar
};

// Reads KIND DOC FILE and the options shared by both commands; `listOption` is the one
// that names fields ("fields" or "columns").
Status readRequest(const std::vector<std::string>& argList, bool forImport, const char* listOption,
                   TransferRequest& request) {
    CliArgs& args = request.args;
    std::vector<std::string> valued = {"format", "separator", "encloser", listOption};
    if (!forImport) valued.insert(valued.end(), {"group", "vcard"});
    std::vector<std::string> flags = {"no-header"};
    if (forImport) flags.push_back("dry-run");
    if (Status status = parseArguments(argList, 3, valued, flags, args); !status) return status;
    const std::string& kindName = args.positional()[0];
    if (kindName == "persons")
        request.kind = TransferKind::Persons;
    else if (kindName == "tasks")
        request.kind = TransferKind::Tasks;
    else if (kindName == "appointments")
        request.kind = TransferKind::Appointments;
    else if (kindName != "calendar")
        return usageFailure(fillIn(_("unknown record kind \"%s\""), {kindName}));

    ExchangeRequest& exchange = request.exchange;
    exchange.kind = kindName;
    exchange.documentPath = args.positional()[1];
    exchange.file = args.positional()[2];
    exchange.args = &args;
    if (Status status = chooseTransferFormat(args, exchange.file, exchange.format); !status)
        return status;
    if (exchange.format != TransferFormat::DelimitedText)
        return checkExchangeRequest(exchange, forImport);
    if (kindName == "calendar")
        return usageFailure(_("a calendar is exported and imported as iCalendar (.ics)"));
    for (const char* option : {"group", "vcard"}) {
        if (args.has(option))
            return usageFailure(fillIn(_("%s is for vCard only"), {std::string("--") + option}));
    }

    TextTransferSpec& spec = request.spec;
    spec = forImport ? makeImportSpec(request.kind) : makeExportSpec(request.kind);
    request.documentPath = args.positional()[1];
    spec.fileName = args.positional()[2];
    spec.firstLineHasNames = !args.has("no-header");

    static const std::array<std::pair<const char*, const char*>, 5> kSeparators = {
        {{"comma", ","}, {"semicolon", ";"}, {"pipe", "|"}, {"space", " "}, {"tab", "\t"}}};
    static const std::array<std::pair<const char*, const char*>, 3> kEnclosers = {
        {{"double", "\""}, {"single", "'"}, {"none", ""}}};
    auto choose = [&](const char* option, const auto& choices, const char* fallback,
                      std::string& chosen) {
        const std::string value = args.value(option).value_or(fallback);
        // Guessed once the file is read.
        if (forImport && value == "auto" && std::string_view(option) == "separator")
            return Status();
        for (const auto& [name, text] : choices) {
            if (value == name) {
                chosen = text;
                return Status();
            }
        }
        return usageFailure(fillIn(_("unknown %s \"%s\""), {std::string("--") + option, value}));
    };
    if (Status status = choose("separator", kSeparators, "comma", spec.separator); !status)
        return status;
    return choose("encloser", kEnclosers, "double", spec.encloser);
}

// Every name must be a field of the list; "" is allowed where `allowEmpty`.
Status checkNames(const std::vector<std::string>& names, const std::vector<std::string>& fields,
                  bool allowEmpty) {
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (name.empty() && allowEmpty) continue;
        if (std::find(fields.begin(), fields.end(), name) == fields.end())
            return usageFailure(
                fillIn(_("unknown field \"%s\"; the fields are %s"), {name, joined(fields)}));
        if (std::find(names.begin(), names.begin() + ptrdiff_t(i), name) !=
            names.begin() + ptrdiff_t(i))
            return usageFailure(fillIn(_("field \"%s\" named twice"), {name}));
    }
    return {};
}

Status runExport(CliContext& context, const std::vector<std::string>& argList) {
    TransferRequest request;
    if (Status status = readRequest(argList, false, "fields", request); !status) return status;
    if (Status other = checkNotTheDocument(request.exchange.file, request.exchange.documentPath);
        !other)
        return other;
    if (request.exchange.format != TransferFormat::DelimitedText)
        return exportExchange(context, request.exchange);
    TextTransferSpec& spec = request.spec;
    if (const auto fields = request.args.value("fields")) {
        spec.columnFields = splitNames(*fields);
        if (Status status = checkNames(spec.columnFields, spec.fieldNames, false); !status)
            return status;
    } else {
        spec.columnFields = spec.fieldNames;
    }

    CliWorkspace files(context);
    if (Status loaded = files.read(request.documentPath); !loaded) return loaded;
    const PimDocument& document = files.document();
    // What the export says of a series goes beside the text, never into it.
    if (spec.fileName != kStandardStream) {
        const ExportResult result = exportFile(request.kind, document, spec, context.locale);
        if (!result.note.empty()) context.out << result.note << '\n';
        return result.status;
    }
    std::string note;
    const std::string text =
        exportText(request.kind, document, spec, context.locale, nullptr, &note);
    if (!note.empty()) context.err << note << '\n';
    return writeStandardOutput(context, text);
}

// Prints what a dry run found: each column's field; the counts it would add follow.
void reportDryRun(CliContext& context, const TextTransferSpec& spec) {
    for (size_t i = 0; i < spec.columnFields.size(); ++i) {
        const std::string& field = spec.columnFields[i];
        const std::string alternate =
            i < spec.columnAlternates.size() ? spec.columnAlternates[i] : "";
        const std::string what = !field.empty() ? field
                                 : alternate.empty()
                                     ? std::string(_("(not imported)"))
                                     : fillIn(_("%s (when its own column is empty)"), {alternate});
        context.out << fillIn(_("column %s: %s"), {std::to_string(i + 1), what}) << '\n';
    }
}

Status runImport(CliContext& context, const std::vector<std::string>& argList) {
    TransferRequest request;
    if (Status status = readRequest(argList, true, "columns", request); !status) return status;
    if (request.exchange.format != TransferFormat::DelimitedText)
        return importExchange(context, request.exchange);
    TextTransferSpec& spec = request.spec;
    const auto columns = request.args.value("columns");
    if (!columns) return usageFailure(fillIn(_("%s is required"), {"--columns"}));
    const bool autoColumns = *columns == "auto";
    const bool autoSeparator = spec.separator.empty();
    const bool dryRun = request.args.has("dry-run");
    if (autoColumns && request.args.has("no-header"))
        return usageFailure(
            _("--columns auto reads the names of the header line; drop --no-header"));
    if (!autoColumns) {
        spec.columnFields = splitNames(*columns);
        spec.columnCount = static_cast<int32_t>(spec.columnFields.size());
        if (Status status = checkNames(spec.columnFields, spec.fieldNames, true); !status)
            return status;
    }

    // Standard input is read before the document is locked, which it may take long to end;
    // so is a file whose header or separator is to be read.
    const bool fromInput = spec.fileName == kStandardStream;
    const std::string sourceName = fromInput ? _(kStandardInputName) : spec.fileName;
    std::string input;
    std::string decoded;
    std::string_view text;
    const bool readFirst = fromInput || autoColumns || autoSeparator;
    if (fromInput) {
        if (Status read = readStandardInput(context, input); !read) return read;
    } else if (readFirst) {
        if (Status read = readWholeFile(spec.fileName, input); !read) return read;
    }
    if (readFirst) {
        text = decodeDelimitedText(input, decoded);
        if (autoSeparator) guessSeparator(text, spec);
        if (autoColumns) {
            if (Status mapped = mapColumnsByHeader(context, request.kind, text, spec); !mapped)
                return mapped.inFile(sourceName);
        }
    }
    if (const std::string missing = requiredFieldsMessage(request.kind, spec.columnFields);
        !missing.empty()) {
        return Status::failure(FailureKind::Content, "", missing);
    }

    DocumentUpdate update(context, request.documentPath);
    if (Status loaded = update.load(); !loaded) return loaded;
    const ImportResult result =
        update.workspace().runStep(importStep(request.kind), [&](PimDocument& document) {
            return readFirst ? importText(request.kind, document, spec, text, context.locale)
                             : importFile(request.kind, document, spec, context.locale);
        });
    if (!result.status) return result.status;
    if (dryRun) reportDryRun(context, spec);
    if (!dryRun && result.added > 0) {
        if (Status saved = update.save(); !saved) return saved;
    }
    return reportImported(context, delimitedTally(request.kind, result, sourceName), dryRun);
}

const std::array<CliCommand, 2> kCommands = {{
    {"export", kExportArgs,
     N_("write the persons, tasks or appointments of DOC to OUT (standard output for -) as "
        "delimited text, vCard (persons, all or those of the group NAME, version 3.0 or 4.0) or "
        "iCalendar (appointments, tasks, or both as calendar); the format follows OUT's extension "
        "(.vcf, .ics, else delimited text) or --format"),
     runExport},
    {"import", kImportArgs,
     N_("add the records of IN (standard input for -) to DOC: delimited text, where --columns "
        "names the field of each column (empty for a column not imported) or auto reads them "
        "from the header line, --separator auto guesses the separator and --dry-run shows the "
        "columns and the count without saving; vCard persons, or "
        "iCalendar appointments and tasks (calendar for both); the format follows IN's extension "
        "or --format"),
     runImport},
}};

}  // namespace

std::span<const CliCommand> transferCommands() {
    return kCommands;
}
