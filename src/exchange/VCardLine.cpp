#include "exchange/VCardLine.h"

#include <algorithm>

#include "records/Trimmed.h"

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Where the first of `Stops` stands in `text` from `from` on, or the text's size. A plain
// loop: find_first_of makes a library call per byte.
template <char... Stops>
size_t firstOf(std::string_view text, size_t from) {
    while (from < text.size() && ((text[from] != Stops) && ...))
        ++from;
    return from;
}

// Sets `out` to `text` in upper case, in the room it has.
void setUpperCase(std::string& out, std::string_view text) {
    out.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        out[i] = upper(text[i]);
}

// The bare parameters of version 2.1 that name an encoding rather than a type.
bool isEncodingWord(std::string_view word) {
    for (const char* encoding : {"QUOTED-PRINTABLE", "BASE64", "B", "8BIT", "7BIT"}) {
        if (equalsIgnoringCase(word, encoding)) return true;
    }
    return false;
}

// Adds each comma-separated item of `values` as a value of `name`.
void addValues(VCardLine& line, const std::string& name, std::string_view values) {
    while (true) {
        const size_t comma = values.find(',');
        const std::string_view item = values.substr(0, comma);
        if (!item.empty()) line.parameters.push_back({name, std::string(item)});
        if (comma == std::string_view::npos) return;
        values.remove_prefix(comma + 1);
    }
}

// Reads the parameter that starts at text[i] (just after its ';') and returns where it ends:
// at the ';' or ':' after it, or at the end of the text.
size_t readParameter(std::string_view text, size_t i, VCardLine& line) {
    const size_t nameEnd = firstOf<'=', ';', ':'>(text, i);
    const std::string_view word = text.substr(i, nameEnd - i);
    if (nameEnd == text.size() || text[nameEnd] != '=') {
        if (!word.empty())
            line.parameters.push_back(
                {isEncodingWord(word) ? "ENCODING" : "TYPE", std::string(word)});
        return nameEnd;
    }
    std::string name;
    setUpperCase(name, word);
    i = nameEnd + 1;
    while (i < text.size()) {
        if (text[i] == '"') {
            // A quoted value may hold ';', ':' and ','; a list inside it still splits.
            const size_t close = std::min(text.find('"', i + 1), text.size());
            addValues(line, name, text.substr(i + 1, close - i - 1));
            i = std::min(close + 1, text.size());
        } else {
            const size_t end = firstOf<',', ';', ':'>(text, i);
            addValues(line, name, text.substr(i, end - i));
            i = end;
        }
        if (i >= text.size() || text[i] != ',') break;
        ++i;
    }
    return i;
}

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return upper(x) == upper(y); });
}

bool VCardLine::has(std::string_view parameterName, std::string_view wanted) const {
    return std::any_of(parameters.begin(), parameters.end(), [&](const VCardParameter& p) {
        return p.name == parameterName && equalsIgnoringCase(p.value, wanted);
    });
}

bool VCardLine::hasParameter(std::string_view parameterName) const {
    return std::any_of(parameters.begin(), parameters.end(),
                       [&](const VCardParameter& p) { return p.name == parameterName; });
}

std::string_view VCardLine::parameter(std::string_view parameterName) const {
    for (const VCardParameter& p : parameters) {
        if (p.name == parameterName) return p.value;
    }
    return {};
}

bool parseVCardLine(std::string_view text, size_t lineNumber, VCardLine& line) {
    line.parameters.clear();
    line.lineNumber = lineNumber;
    const size_t nameEnd = firstOf<';', ':'>(text, 0);
    if (nameEnd == text.size() || nameEnd == 0) return false;
    const std::string_view fullName = text.substr(0, nameEnd);
    const size_t dot = fullName.rfind('.');
    line.group = dot == std::string_view::npos ? std::string_view() : fullName.substr(0, dot);
    const std::string_view name =
        dot == std::string_view::npos ? fullName : fullName.substr(dot + 1);
    if (name.empty()) return false;
    setUpperCase(line.name, name);

    size_t i = nameEnd;
    while (i < text.size() && text[i] == ';')
        i = readParameter(text, i + 1, line);
    if (i >= text.size() || text[i] != ':') return false;
    line.value = text.substr(i + 1);
    return true;
}

bool isCardBoundary(const VCardLine& line, std::string_view name) {
    return std::string_view(line.name) == name &&
           equalsIgnoringCase(trimmed(line.value, " \t"), "VCARD");
}
