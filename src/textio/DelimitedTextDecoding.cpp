#include "textio/DelimitedTextDecoding.h"

#include "fileio/TextEncoding.h"

std::string decodeDelimitedText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return utf16ToUtf8(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return utf16ToUtf8(bytes.substr(2), true);
    return decodeText(bytes);
}
