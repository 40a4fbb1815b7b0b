#include "textio/DelimitedTextDecoding.h"

#include "fileio/TextEncoding.h"

std::string decodeDelimitedText(std::string_view bytes) {
    std::string converted;
    return std::string(decodeDelimitedText(bytes, converted));
}

std::string_view decodeDelimitedText(std::string_view bytes, std::string& converted) {
    if (bytes.starts_with("\xFF\xFE")) return converted = utf16ToUtf8(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return converted = utf16ToUtf8(bytes.substr(2), true);
    const std::string_view text = withoutUtf8Bom(bytes);
    if (isValidUtf8(text)) return text;
    return converted = utf8WithWindows1252Fallback(text);
}
