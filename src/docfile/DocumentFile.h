#pragma once

#include <string>

#include "fileio/AtomicFile.h"

class PimDocument;

// Writes the document in the file format to `path`, replacing the file only when every
// byte reached the disk (and, with `options`, only when it is still the file read).
// Touches neither the document's path nor its modified flag.
Status saveDocument(const PimDocument& document, const std::string& path,
                    const WriteOptions& options = {});

// Reads the document file at `path`. Only a file that reads completely replaces the
// document's contents, after which the document is unmodified and its views are told; a
// failed load leaves the records, the path and the modified flag exactly as they were.
// A file that is not well-formed is a Syntax failure with its line and column; a
// well-formed file that is not one of the program's documents is a Content failure.
// Running out of memory is a Read failure. `stamp`, when given, receives the stamp of the
// file read, for a later save to check. The document's path is the caller's business.
Status loadDocument(PimDocument& document, const std::string& path, FileStamp* stamp = nullptr);

// The same as loadDocument, from the bytes of a file already in memory.
Status loadDocumentBytes(PimDocument& document, std::string_view bytes);

// Saves a copy of the document to `path` without touching its path, title or modified
// flag; a backup and a save write the same bytes.
Status backupDocument(const PimDocument& document, const std::string& path);

// The name a backup of the document at `documentPath` is offered under: the file name
// without directory and extension, "Untitled" for a document without a path.
[[nodiscard]] std::string backupFileStem(const std::string& documentPath);
