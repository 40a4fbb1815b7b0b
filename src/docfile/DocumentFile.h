#pragma once

#include <cstdint>
#include <string>

#include "fileio/AtomicFile.h"

class PimDocument;

// Why a load failed.
enum class LoadFailure {
    None,        // it did not fail
    Unreadable,  // the file could not be opened or read
    Syntax,      // the file is not well-formed XML
};

// What loading a document file did.
struct LoadResult {
    bool ok = false;
    LoadFailure failure = LoadFailure::None;
    int32_t line = 0;    // of a syntax error
    int32_t column = 0;  // of a syntax error
    // "Parsing error at line N" for a syntax error; for an unreadable file a message
    // naming the file and the system's reason.
    std::string error;
    explicit operator bool() const { return ok; }
};

// Writes the document in the file format to `path`, replacing the file only when every
// byte reached the disk. Touches neither the document's path nor its modified flag.
[[nodiscard]] FileResult saveDocument(const PimDocument& document, const std::string& path);

// Reads the document file at `path`. Only a file that reads completely replaces the
// document's contents, after which the document is unmodified and its views are told; a
// failed load leaves the records, the path and the modified flag exactly as they were.
// The document's path is the caller's business.
[[nodiscard]] LoadResult loadDocument(PimDocument& document, const std::string& path);

// The same as loadDocument, from the bytes of a file already in memory.
[[nodiscard]] LoadResult loadDocumentBytes(PimDocument& document, std::string_view bytes);

// Saves a copy of the document to `path` without touching its path, title or modified
// flag; a backup and a save write the same bytes.
[[nodiscard]] FileResult backupDocument(const PimDocument& document, const std::string& path);

// The name a backup of the document at `documentPath` is offered under: the file name
// without directory and extension, "Untitled" for a document without a path.
[[nodiscard]] std::string backupFileStem(const std::string& documentPath);
