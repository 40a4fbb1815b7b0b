#pragma once

#include <optional>
#include <string_view>

#include "platform/Status.h"

#include "records/DateTime.h"

class FileBytes;
class FileWindow;
struct PimContents;

// Fills `contents`, which must be empty, from the bytes of a document file; `now` is the
// moment whose date and time records take where the file leaves them out. The text ends at its
// first zero byte; a UTF-8 byte-order mark is skipped, and the bytes that are not UTF-8 are read
// as Windows-1252. A well-formed text with another root than Pim or another version than 1 or 16
// is not one of the program's documents: a Content failure saying which, so that nothing is ever
// saved over it. On a failure the contents may hold part of the records.
Status readDocumentText(std::string_view bytes, PimContents& contents, DateTime now);

// The same for the bytes of a file read whole, whose memory is handed back piece by piece
// as the records are read, so that a load needs little more memory than its records.
Status readDocumentText(FileBytes& bytes, PimContents& contents, DateTime now);

// The same for the text of a file read a window at a time. Nothing when the text is not
// well-formed, or holds a record longer than an eighth of the window: it is then read whole,
// which says where the error lies. A failure to read the file is a Read failure.
std::optional<Status> readDocumentText(FileWindow& window, PimContents& contents, DateTime now);
