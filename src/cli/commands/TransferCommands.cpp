#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "records/PimDocument.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

namespace {

constexpr const char* kExportArgs =
    "persons|tasks|appointments DOC OUT [--separator comma|semicolon|pipe|space|tab] "
    "[--encloser double|single|none] [--no-header] [--fields NAME,NAME,...]";
constexpr const char* kImportArgs =
    "persons|tasks|appointments DOC IN --columns NAME,NAME,... "
    "[--separator comma|semicolon|pipe|space|tab] [--encloser double|single|none] [--no-header]";
// Skipped records listed one by one before the rest are only counted.
constexpr size_t kSkippedListed = 20;

struct Failure {
    int exitCode;
};

// Reports a usage error and returns the failure to throw.
Failure usage(CliContext& context, const std::string& message) {
    return {reportUsage(context, message)};
}

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
    TransferKind kind;
    TextTransferSpec spec;
    std::string documentPath;
};

// Reads KIND DOC FILE and the options shared by both commands; `listOption` is the one
// that names fields ("fields" or "columns").
TransferRequest readRequest(CliContext& context, const std::vector<std::string>& argList,
                            bool forImport, const char* listOption) {
    TransferRequest request;
    CliArgs& args = request.args;
    if (const std::string error =
            args.parse(argList, {"separator", "encloser", listOption}, {"no-header"});
        !error.empty()) {
        throw usage(context, error);
    }
    if (args.positional().size() != 3) throw usage(context, "wrong number of arguments");
    const std::string& kindName = args.positional()[0];
    TransferKind kind;
    if (kindName == "persons")
        kind = TransferKind::Persons;
    else if (kindName == "tasks")
        kind = TransferKind::Tasks;
    else if (kindName == "appointments")
        kind = TransferKind::Appointments;
    else
        throw usage(context, "unknown record kind \"" + kindName + "\"");

    TextTransferSpec& spec = request.spec;
    request.kind = kind;
    spec = forImport ? makeImportSpec(kind) : makeExportSpec(kind);
    request.documentPath = args.positional()[1];
    spec.fileName = args.positional()[2];
    spec.firstLineHasNames = !args.has("no-header");

    static const std::array<std::pair<const char*, const char*>, 5> kSeparators = {
        {{"comma", ","}, {"semicolon", ";"}, {"pipe", "|"}, {"space", " "}, {"tab", "\t"}}};
    static const std::array<std::pair<const char*, const char*>, 3> kEnclosers = {
        {{"double", "\""}, {"single", "'"}, {"none", ""}}};
    auto choose = [&](const char* option, const auto& choices, const char* fallback) {
        const std::string value = args.value(option).value_or(fallback);
        for (const auto& [name, text] : choices) {
            if (value == name) return std::string(text);
        }
        throw usage(context, std::string("unknown --") + option + " \"" + value + "\"");
    };
    spec.separator = choose("separator", kSeparators, "comma");
    spec.encloser = choose("encloser", kEnclosers, "double");
    return request;
}

// Every name must be a field of the list; "" is allowed where `allowEmpty`.
void checkNames(CliContext& context, const std::vector<std::string>& names,
                const std::vector<std::string>& fields, bool allowEmpty) {
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (name.empty() && allowEmpty) continue;
        if (std::find(fields.begin(), fields.end(), name) == fields.end())
            throw usage(context,
                        "unknown field \"" + name + "\"; the fields are " + joined(fields));
        if (std::find(names.begin(), names.begin() + ptrdiff_t(i), name) !=
            names.begin() + ptrdiff_t(i))
            throw usage(context, "field \"" + name + "\" named twice");
    }
}

int runExport(CliContext& context, const std::vector<std::string>& argList) {
    try {
        auto [args, kind, spec, documentPath] = readRequest(context, argList, false, "fields");
        if (const auto fields = args.value("fields")) {
            spec.columnFields = splitNames(*fields);
            checkNames(context, spec.columnFields, spec.fieldNames, false);
        } else {
            spec.columnFields = spec.fieldNames;
        }

        PimDocument document(context.clock);
        if (!loadForCommand(context, document, documentPath)) return kExitFailure;
        const ExportResult result = exportFile(kind, document, spec, context.locale);
        if (!result.ok()) {
            reportError(context, result.error);
            return kExitFailure;
        }
        return kExitOk;
    } catch (const Failure& failure) {
        return failure.exitCode;
    }
}

int runImport(CliContext& context, const std::vector<std::string>& argList) {
    try {
        auto [args, kind, spec, documentPath] = readRequest(context, argList, true, "columns");
        const auto columns = args.value("columns");
        if (!columns) throw usage(context, "--columns is required");
        spec.columnFields = splitNames(*columns);
        spec.columnCount = static_cast<int32_t>(spec.columnFields.size());
        checkNames(context, spec.columnFields, spec.fieldNames, true);
        if (const std::string missing = requiredFieldsMessage(kind, spec.columnFields);
            !missing.empty()) {
            reportError(context, missing);
            return kExitFailure;
        }

        PimDocument document(context.clock);
        if (!loadForCommand(context, document, documentPath)) return kExitFailure;
        const ImportResult result = importFile(kind, document, spec, context.locale);
        if (!result.ok()) {
            reportError(context, result.error);
            return kExitFailure;
        }
        for (size_t i = 0; i < std::min(result.skipped.size(), kSkippedListed); ++i) {
            reportError(context, spec.fileName + ':' + std::to_string(result.skipped[i].line) +
                                     ": skipped: " + result.skipped[i].reason);
        }
        if (result.skipped.size() > kSkippedListed) {
            reportError(context, spec.fileName + ": " +
                                     std::to_string(result.skipped.size() - kSkippedListed) +
                                     " more records skipped");
        }
        if (result.added > 0) {
            if (!saveForCommand(context, document, documentPath)) return kExitFailure;
        }
        context.out << importedMessage(kind, result.added) << '\n';
        return kExitOk;
    } catch (const Failure& failure) {
        return failure.exitCode;
    }
}

const std::array<CliCommand, 2> kCommands = {{
    {"export", kExportArgs,
     "write the persons, tasks or appointments of DOC to the delimited text file OUT", runExport},
    {"import", kImportArgs,
     "add the records of the delimited text file IN to DOC; --columns names the field of "
     "each column, empty for a column not imported",
     runImport},
}};

}  // namespace

std::span<const CliCommand> transferCommands() {
    return kCommands;
}
