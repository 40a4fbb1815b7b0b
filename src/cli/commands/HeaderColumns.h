#pragma once

#include <string_view>

#include "cli/CliCommand.h"
#include "platform/Status.h"
#include "textio/TextTransferSpec.h"

// Reads the columns of `text` from its header line for `import --columns auto`: fills
// the columns of `spec`, marks the first line as names, and moves `text` to start at the
// header (lines before it are titles). Columns it cannot map are listed as warnings.
Status mapColumnsByHeader(CliContext& context, TransferKind kind, std::string_view& text,
                          TextTransferSpec& spec);

// The separator `--separator auto` guesses from the first lines of `text`.
void guessSeparator(std::string_view text, TextTransferSpec& spec);
