#include "textio/HeaderSearch.h"

#include <algorithm>

#include "textio/ColumnAliases.h"
#include "textio/RecordReader.h"

namespace {

std::vector<std::string> allFields(std::string_view record, const FieldTokenizer& tokenizer) {
    std::vector<std::string> fields;
    std::string field;
    while (tokenizer.NextField(record, field)) {
        fields.push_back(std::move(field));
        field.clear();
    }
    return fields;
}

size_t assignedCount(const std::vector<std::string>& fields) {
    return size_t(std::count_if(fields.begin(), fields.end(),
                                [](const std::string& f) { return !f.empty(); }));
}

}  // namespace

std::optional<HeaderLine> findHeaderLine(TransferKind kind, std::string_view text,
                                         const FieldTokenizer& tokenizer, size_t maxLines) {
    RecordReader reader(text, tokenizer);
    std::optional<HeaderLine> best;
    std::vector<std::string> valuesAfterBest;
    bool takeNextValues = false;
    bool settled = false;  // a line naming two fields is the header
    std::string_view record;
    for (size_t i = 0; i <= maxLines && reader.next(record); ++i) {
        std::vector<std::string> names = allFields(record, tokenizer);
        if (takeNextValues && !names.empty()) {
            valuesAfterBest = names;
            takeNextValues = false;
            if (settled) break;
        }
        if (i == maxLines) break;
        std::vector<std::string> fields = assignColumnsByName(kind, names);
        const size_t count = assignedCount(fields);
        if (count >= 2 || (count == 1 && !best)) {
            best = HeaderLine{size_t(record.data() - text.data()),
                              reader.lineNumber(),
                              std::move(names),
                              std::move(fields),
                              {}};
            // Two known names make the header; a line naming one may be a title before it.
            settled = count >= 2;
            valuesAfterBest.clear();
            takeNextValues = true;
        }
    }
    if (best) {
        // The kinds of phones stand in the first record after the header.
        best->fields = assignColumnsByName(kind, best->names, valuesAfterBest);
        best->alternates = alternateColumns(kind, best->names, best->fields, valuesAfterBest);
    }
    return best;
}

FormatGuess guessTextFormat(std::string_view text, size_t maxLines) {
    FormatGuess best;
    size_t bestFields = 0;
    for (size_t i = 0; i < maxLines && !text.empty(); ++i) {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        const FormatGuess guess = guessFormat(line);
        FieldTokenizer tokenizer;
        if (guess.encloser < 2) tokenizer.SetEncloser(encloserChoices()[guess.encloser].value[0]);
        tokenizer.SetSeparator(separatorChoices()[guess.separator].value[0]);
        if (const size_t count = allFields(line, tokenizer).size(); count > bestFields) {
            bestFields = count;
            best = guess;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return best;
}
