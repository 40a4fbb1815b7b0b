#pragma once

#include <string>

#include "fileio/AtomicFile.h"

class PimDocument;

// The bytes of a document file (version 16) holding `document`: CR LF line ends, TAB
// indentation, the records of each collection in ascending ID. Dates that cannot be
// written as seconds since 1970 take "today" from the document's clock where the format
// asks for it.
[[nodiscard]] std::string formatDocument(const PimDocument& document);

// Writes the same bytes to `sink` in pieces of about a megabyte; false as soon as the sink
// refuses one.
bool writeDocument(const PimDocument& document, const ByteSink& sink);
