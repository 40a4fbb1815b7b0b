#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The three kinds of record that move through delimited text files.
enum class TransferKind { Persons = 0, Tasks = 1, Appointments = 2 };

// The settings of one import or export run: filled by the wizard or the command line,
// read by the export and import functions, then discarded.
struct TextTransferSpec {
    // Export: the fields to write. Import: one entry per column of the file naming the
    // field it is read into, "" for a column that is not imported.
    std::vector<std::string> columnFields;
    // The field names of the record type, in the order the wizard lists them.
    std::vector<std::string> fieldNames;
    // Import only: the fields of the file's first line as the wizard split them.
    std::vector<std::string> firstLineTokens;
    // The fields of which an import needs at least one (see requiredFieldsMessage).
    std::vector<std::string> requiredFields;
    // Export: write a header line. Import: the first line holds names, not a record.
    bool firstLineHasNames = false;
    // "" or one character written around every non-empty value.
    std::string encloser;
    // One character written between fields.
    std::string separator;
    // The delimited text file.
    std::string fileName;
    // The number of entries of fieldNames.
    int32_t fieldCount = 0;
    // Import only: the number of columns of the file (entries of columnFields).
    int32_t columnCount = 0;
    // "Persons", "Tasks" or "Appointments".
    std::string entityName;
    // Import only: the file's first line without white space at either end.
    std::string firstLine;
    // Import only, may be empty: per column, the field it fills when the field's own column
    // is empty in a record (a second e-mail column, the business address beside the home
    // one), "" for none.
    std::vector<std::string> columnAlternates;
};

// A spec for exporting `kind`, with the export field list and an empty column per field.
[[nodiscard]] TextTransferSpec makeExportSpec(TransferKind kind);
// A spec for importing `kind`, with the import field list and an empty column per field.
[[nodiscard]] TextTransferSpec makeImportSpec(TransferKind kind);

// The field names an export of `kind` writes, in column order.
[[nodiscard]] const std::vector<std::string>& exportFieldNames(TransferKind kind);
// The field names an import of `kind` reads, in the order the wizard lists them.
[[nodiscard]] const std::vector<std::string>& importFieldNames(TransferKind kind);

// The wizard's rule for the columns chosen for an import: "" when they are enough,
// otherwise the message telling the user what is missing.
[[nodiscard]] std::string requiredFieldsMessage(TransferKind kind,
                                                const std::vector<std::string>& columnFields);
