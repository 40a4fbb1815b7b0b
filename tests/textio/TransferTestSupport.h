#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/FixedLocale.h"
#include "support/Records.h"
#include "textio/FieldTokenizer.h"
#include "textio/TextImport.h"
#include "textio/TextTransferSpec.h"

// Sunday 6 December 2026, 10:00, the moment every transfer test runs at.
inline LocalTime testNow() {
    return LocalTime{2026, 12, 6, 10, 0, 0, 0};
}

// A tokenizer of fields between `separator`s, enclosed in `encloser`s (0: none).
inline FieldTokenizer fieldTokenizer(char separator, char encloser = '"') {
    FieldTokenizer tokenizer;
    tokenizer.SetSeparator(separator);
    tokenizer.SetEncloser(encloser);
    return tokenizer;
}

// A TextTransferSpec of `kind` reading or writing the named columns with the given characters.
inline TextTransferSpec transferSpec(bool forImport, TransferKind kind,
                                     std::vector<std::string> columns, bool header = true,
                                     std::string separator = ",", std::string encloser = "\"") {
    TextTransferSpec spec = forImport ? makeImportSpec(kind) : makeExportSpec(kind);
    spec.columnFields = std::move(columns);
    spec.columnCount = forImport ? static_cast<int32_t>(spec.columnFields.size()) : 0;
    spec.firstLineHasNames = header;
    spec.separator = std::move(separator);
    spec.encloser = std::move(encloser);
    return spec;
}

// Imports comma-separated, double-quoted `text` whose columns are `columns`.
inline ImportResult importInto(PimDocument& doc, TransferKind kind,
                               std::vector<std::string> columns, const std::string& text,
                               bool header = false) {
    return importText(kind, doc, transferSpec(true, kind, std::move(columns), header), text,
                      FixedLocale());
}

// A document at testNow() that records of one kind are imported into.
template <TransferKind Kind>
class ImportTest : public ::testing::Test {
protected:
    ImportResult import(const std::string& text, std::vector<std::string> columns,
                        bool header = false) {
        return importInto(doc, Kind, std::move(columns), text, header);
    }

    FixedClock clock{testNow()};
    PimDocument doc{clock};
};
