#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Translate.h"
#include "platform/UserPrompts.h"
#include "textio/TextTransferSpec.h"

// A check of the wizard that failed: the message box to show, after which the page stays.
struct WizardRefusal {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;
};

// The column rows shown on the fields page of an import.
constexpr const char* kEmptyFieldLabel = N_("EMPTY FIELD");

// The wizard's title for this kind and direction ("Import Tasks From Text File").
[[nodiscard]] std::string transferWizardTitle(TransferKind kind, bool import);
// The caption of the message an import reports its count under ("Imported Names").
[[nodiscard]] std::string importedCaption(TransferKind kind);

// What the file page learned of the file to import.
struct ImportFileProbe {
    std::optional<WizardRefusal> refusal;  // set when the page must stay
    std::string firstLine;                 // the first line, without white space at the ends
    std::string sample;                    // the start of the file as UTF-8, for the sample row
};

// The file page's Next without opening anything: a name must be given.
[[nodiscard]] std::optional<WizardRefusal> checkFileName(const std::string& fileName);
// The file page's Next in import mode: the name must be given, the file readable and text.
[[nodiscard]] ImportFileProbe probeImportFile(const std::string& fileName);
// The same for bytes already read (the start of the file is enough).
[[nodiscard]] ImportFileProbe probeImportBytes(std::string_view bytes);

// The format page's Next: both lists need a choice (indices, -1 for none); stores them
// and the header box in `spec`.
[[nodiscard]] std::optional<WizardRefusal> applyFormat(int separatorIndex, int encloserIndex,
                                                       bool firstLineHasNames,
                                                       TextTransferSpec& spec);

// Splits `spec.firstLine` with the chosen characters into the rows of the fields page
// (empty fields read N_("EMPTY FIELD")); fills firstLineTokens and columnCount.
[[nodiscard]] std::vector<std::string> splitFirstLine(TextTransferSpec& spec);
// The values of the file's first record after the header line in `sample`, one per
// column, "" where the record has fewer; empty when the sample holds no such record.
[[nodiscard]] std::vector<std::string> firstRecordValues(const TextTransferSpec& spec,
                                                         std::string_view sample);

// Assigns `field` to `row` of `rowFields` and clears it from the first other row that had
// it, so that no field is read from two columns; "" clears the row.
void assignField(std::vector<std::string>& rowFields, size_t row, const std::string& field);

// The export fields page's Finish: the ticked fields become the columns, in list order.
[[nodiscard]] std::optional<WizardRefusal> finishExportFields(const std::vector<bool>& ticked,
                                                              TextTransferSpec& spec);
// The import fields page's Finish: the rows' fields become the columns when they name
// what the record type needs.
[[nodiscard]] std::optional<WizardRefusal> finishImportFields(
    TransferKind kind, const std::vector<std::string>& rowFields, TextTransferSpec& spec);
