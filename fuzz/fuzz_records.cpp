// Cutting delimited text into records and fields takes a short way for records that are
// one line; it must give what the long way gives (RecordReader::next, then
// FieldTokenizer::NextField) for any bytes. The first byte picks the separator, the
// encloser and how many fields are kept.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textio/RecordReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char kSeparators[] = {',', ';', ' ', '\t', '"'};
    static const char kEnclosers[] = {'"', '\'', 0, ' ', ','};
    const uint8_t choice = data[0];
    FieldTokenizer tokenizer;
    tokenizer.SetSeparator(kSeparators[choice % 5]);
    tokenizer.SetEncloser(kEnclosers[(choice / 5) % 5]);
    const size_t columns = (choice / 25) % 10;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    RecordReader longWay(text, tokenizer);
    RecordReader shortWay(text, tokenizer);
    std::vector<std::string> expected(columns);
    RecordValues fields(columns);
    std::string_view record;
    bool blank = false;
    for (;;) {
        const bool more = longWay.next(record);
        if (shortWay.nextFields(fields, blank) != more) __builtin_trap();
        if (!more) break;
        if (shortWay.lineNumber() != longWay.lineNumber()) __builtin_trap();
        const bool recordBlank = record.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
        if (blank != recordBlank) __builtin_trap();
        if (blank) continue;
        for (std::string& value : expected)
            value.clear();
        for (std::string& value : expected) {
            if (!tokenizer.NextField(record, value)) break;
        }
        for (size_t i = 0; i < columns; ++i) {
            if (fields.values[i] != expected[i]) __builtin_trap();
        }
    }
    return 0;
}
