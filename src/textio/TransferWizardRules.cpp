#include "textio/TransferWizardRules.h"
#include "platform/Translate.h"

#include <algorithm>
#include <fstream>

#include "textio/ColumnAliases.h"
#include "textio/DelimitedTextDecoding.h"
#include "textio/FieldTokenizer.h"
#include "textio/FormatGuess.h"
#include "textio/ImportValues.h"
#include "textio/RecordReader.h"

namespace {

// Enough of the file for the first line and the record after it.
constexpr std::streamsize kSampleBytes = 64 * 1024;

FieldTokenizer tokenizerOf(const TextTransferSpec& spec) {
    FieldTokenizer tokenizer;
    if (!spec.encloser.empty()) tokenizer.SetEncloser(spec.encloser[0]);
    tokenizer.SetSeparator(spec.separator.empty() ? ',' : spec.separator[0]);
    return tokenizer;
}

}  // namespace

std::string transferWizardTitle(TransferKind kind, bool import) {
    switch (kind) {
        case TransferKind::Persons:
            return import ? _("Import Person Information From Text File")
                          : _("Export Person Information To Text File");
        case TransferKind::Tasks:
            return import ? _("Import Tasks From Text File") : _("Export Tasks To Text File");
        case TransferKind::Appointments:
            break;
    }
    return import ? _("Import Appointments From Text File") : _("Export Appointments To Text File");
}

std::string importedCaption(TransferKind kind) {
    switch (kind) {
        case TransferKind::Persons:
            return _("Imported Names");
        case TransferKind::Tasks:
            return _("Imported Tasks");
        case TransferKind::Appointments:
            break;
    }
    return _("Imported Appointments");
}

std::optional<WizardRefusal> checkFileName(const std::string& fileName) {
    if (fileName.empty())
        return WizardRefusal{_("You must enter a file name"), _("Enter File Name")};
    return std::nullopt;
}

ImportFileProbe probeImportFile(const std::string& fileName) {
    if (auto refusal = checkFileName(fileName)) return {std::move(refusal), {}, {}};
    std::ifstream file(fileName, std::ios::binary);
    std::string bytes(size_t(kSampleBytes), '\0');
    if (file) file.read(bytes.data(), kSampleBytes);
    // A directory opens on some systems but reads nothing, with the bad bit set.
    if (!file && !file.eof())
        return {WizardRefusal{_("Unable to open file"), _("File Error")}, {}, {}};
    bytes.resize(size_t(file.gcount()));
    return probeImportBytes(bytes);
}

ImportFileProbe probeImportBytes(std::string_view bytes) {
    ImportFileProbe probe;
    if (!isDelimitedText(bytes)) {
        probe.refusal = WizardRefusal{
            _("This file is not a text file. Save it from its program as comma separated "
              "text (.csv) and import that file."),
            _("File Error")};
        return probe;
    }
    probe.sample = decodeDelimitedText(bytes);
    const size_t end = std::min(probe.sample.find('\n'), probe.sample.size());
    probe.firstLine =
        std::string(trimmed(std::string_view(probe.sample).substr(0, end), kFieldBlanks));
    return probe;
}

std::optional<WizardRefusal> applyFormat(int separatorIndex, int encloserIndex,
                                         bool firstLineHasNames, TextTransferSpec& spec) {
    const auto& separators = separatorChoices();
    const auto& enclosers = encloserChoices();
    if (separatorIndex < 0 || size_t(separatorIndex) >= separators.size() || encloserIndex < 0 ||
        size_t(encloserIndex) >= enclosers.size()) {
        return WizardRefusal{
            _("You must select both a character that encloses each text field and one that "
              "separates each field."),
            _("Choose Formatting Characters")};
    }
    spec.separator = separators[size_t(separatorIndex)].value;
    spec.encloser = enclosers[size_t(encloserIndex)].value;
    spec.firstLineHasNames = firstLineHasNames;
    return std::nullopt;
}

std::vector<std::string> splitFirstLine(TextTransferSpec& spec) {
    const FieldTokenizer tokenizer = tokenizerOf(spec);
    std::string_view line = spec.firstLine;
    spec.firstLineTokens.clear();
    std::string field;
    while (tokenizer.NextField(line, field)) {
        spec.firstLineTokens.push_back(field.empty() ? _(kEmptyFieldLabel) : field);
        field.clear();
    }
    spec.columnCount = static_cast<int32_t>(spec.firstLineTokens.size());
    return spec.firstLineTokens;
}

std::vector<std::string> firstRecordValues(const TextTransferSpec& spec, std::string_view sample) {
    const FieldTokenizer tokenizer = tokenizerOf(spec);
    RecordReader reader(sample, tokenizer);
    std::string_view header;
    if (!reader.next(header)) return {};
    RecordValues fields(size_t(std::max(spec.columnCount, 0)));
    bool blank = true;
    while (blank) {
        if (!reader.nextFields(fields, blank)) return {};
    }
    return {fields.values.begin(), fields.values.end()};
}

void assignField(std::vector<std::string>& rowFields, size_t row, const std::string& field) {
    if (row >= rowFields.size()) return;
    rowFields[row] = field;
    if (field.empty()) return;
    for (size_t i = 0; i < rowFields.size(); ++i) {
        if (i != row && rowFields[i] == field) {
            rowFields[i].clear();
            break;
        }
    }
}

std::optional<WizardRefusal> finishExportFields(const std::vector<bool>& ticked,
                                                TextTransferSpec& spec) {
    std::vector<std::string> columns;
    for (size_t i = 0; i < ticked.size() && i < spec.fieldNames.size(); ++i) {
        if (ticked[i]) columns.push_back(spec.fieldNames[i]);
    }
    if (columns.empty()) {
        return WizardRefusal{_("Tick at least one field to export: each ticked field becomes "
                               "a column of the text file."),
                             _("Import Error"), MessageIcon::Exclamation};
    }
    spec.columnFields = std::move(columns);
    return std::nullopt;
}

std::optional<WizardRefusal> finishImportFields(TransferKind kind,
                                                const std::vector<std::string>& rowFields,
                                                TextTransferSpec& spec) {
    if (std::string missing = requiredFieldsMessage(kind, rowFields); !missing.empty())
        return WizardRefusal{std::move(missing), _("Import Error"), MessageIcon::Exclamation};
    spec.columnFields = rowFields;
    spec.columnAlternates = spec.firstLineHasNames
                                ? alternateColumns(kind, spec.firstLineTokens, rowFields)
                                : std::vector<std::string>();
    return std::nullopt;
}
