#pragma once

#include <string_view>

#include "docfile/XmlTokenizer.h"

class PimDocument;

// What reading the text of a document file gave.
struct DocumentReadResult {
    bool ok = false;
    TextPosition error;  // where the text stopped being well-formed, when not ok
};

// Fills `document`, which must be freshly made or reset, from the bytes of a document
// file. The text ends at its first zero byte; a UTF-8 byte-order mark is skipped, and a
// text that is not UTF-8 is read as Windows-1252. A text with another root than Pim or
// another version than 1 or 16 gives an empty document. On a syntax error the document
// may hold part of the records: callers read into a scratch document.
[[nodiscard]] DocumentReadResult readDocumentText(std::string_view bytes, PimDocument& document);
