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
                               fillIn(_("no line near the start names a column of %s; name the "
                                        "columns with --columns"),
                                      {_(spec.entityName.c_str())}));
    }
    for (size_t i = 0; i < header->fields.size(); ++i) {
        if (header->fields[i].empty() && header->alternates[i].empty())
            reportWarning(context, fillIn(_("column %s \"%s\" not imported"),
                                          {std::to_string(i + 1), header->names[i]}));
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
