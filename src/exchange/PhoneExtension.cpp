#include "exchange/PhoneExtension.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

#include "records/Trimmed.h"

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmedRight(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == ',' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Where the extension word starts: the last "ext" (any case) at the start or after a blank or
// digit, followed by a dot or blanks and then the extension, which runs to the end.
bool findExtWord(std::string_view text, size_t& wordStart, size_t& valueStart) {
    for (size_t at = text.size(); at-- > 0;) {
        if (text.size() - at < 3) continue;
        const std::string_view word = text.substr(at, 3);
        if (std::tolower(static_cast<unsigned char>(word[0])) != 'e' ||
            std::tolower(static_cast<unsigned char>(word[1])) != 'x' ||
            std::tolower(static_cast<unsigned char>(word[2])) != 't')
            continue;
        if (at > 0 && text[at - 1] != ' ' && !isDigit(text[at - 1])) continue;
        size_t value = at + 3;
        const bool dotted = value < text.size() && text[value] == '.';
        if (dotted) ++value;
        while (value < text.size() && text[value] == ' ')
            ++value;
        // After "ext." anything is the extension; after a bare "ext" only one word.
        const std::string_view rest = text.substr(value);
        if (rest.empty() || (!dotted && rest.find(' ') != std::string_view::npos)) continue;
        wordStart = at;
        valueStart = value;
        return true;
    }
    return false;
}

}  // namespace

PhoneWithExtension splitPhoneExtension(std::string_view text) {
    size_t wordStart = 0, valueStart = 0;
    if (findExtWord(text, wordStart, valueStart)) {
        return {std::string(trimmedRight(text.substr(0, wordStart))),
                std::string(text.substr(valueStart))};
    }
    // "555-0100 x12": an x after a digit or blank, then digits to the end.
    const size_t x = text.find_last_of("xX");
    if (x != std::string_view::npos && x > 0 && x + 1 < text.size() &&
        (isDigit(text[x - 1]) || text[x - 1] == ' ') &&
        std::all_of(text.begin() + std::ptrdiff_t(x) + 1, text.end(), isDigit)) {
        return {std::string(trimmedRight(text.substr(0, x))), std::string(text.substr(x + 1))};
    }
    return {std::string(text), ""};
}

std::string joinPhoneExtension(std::string_view number, std::string_view extension) {
    if (extension.empty()) return std::string(number);
    if (number.empty()) return "ext. " + std::string(extension);
    return std::string(number) + " ext. " + std::string(extension);
}

bool hasTelScheme(std::string_view number) {
    return number.size() >= 4 && (number[0] | 0x20) == 't' && (number[1] | 0x20) == 'e' &&
           (number[2] | 0x20) == 'l' && number[3] == ':';
}

std::string telNumber(std::string number) {
    if (hasTelScheme(number)) {
        number.erase(0, 4);
        const size_t parameters = number.find(';');
        const size_t ext = number.find(";ext=");
        std::string extension = ext == std::string::npos ? "" : number.substr(ext + 5);
        extension = extension.substr(0, extension.find(';'));
        number.resize(std::min(parameters, number.size()));
        if (!extension.empty()) number += " ext. " + extension;
    }
    if (trimmed(number).size() != number.size()) return std::string(trimmed(number));
    return number;
}
