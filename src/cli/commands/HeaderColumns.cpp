#include "cli/commands/HeaderColumns.h"

#include "cli/commands/CommandSupport.h"
#include "textio/FormatGuess.h"
#include "textio/HeaderSearch.h"

Status mapColumnsByHeader(CliContext& context, TransferKind kind, std::string_view& text,
                          TextTransferSpec& spec) {
    FieldTokenizer tokenizer;
    if (!spec.encloser.empty()) tokenizer.SetEncloser(spec.encloser[0]);
    tokenizer.SetSeparator(spec.separator[0]);
    const auto header = findHeaderLine(kind, text, tokenizer);
    if (!header) {
        return Status::failure(FailureKind::Content, "",
                               "no line near the start names a column of " + spec.entityName +
                                   "; name the columns with --columns");
    }
    for (size_t i = 0; i < header->fields.size(); ++i) {
        if (header->fields[i].empty() && header->alternates[i].empty())
            reportWarning(context, "column " + std::to_string(i + 1) + " \"" + header->names[i] +
                                       "\" not imported");
    }
    spec.columnFields = header->fields;
    spec.columnAlternates = header->alternates;
    spec.columnCount = static_cast<int32_t>(header->fields.size());
    spec.firstLineHasNames = true;
    text.remove_prefix(header->offset);
    return {};
}

void guessSeparator(std::string_view text, TextTransferSpec& spec) {
    spec.separator = separatorChoices()[guessTextFormat(text).separator].value;
}
