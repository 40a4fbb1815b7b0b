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
    // Through plain pointers: a char written through the string could alias its own
    // pointer, which would then be read again for every byte.
    char* const to = out.data();
    const char* const from = text.data();
    for (size_t i = 0; i < text.size(); ++i)
        to[i] = upper(from[i]);
}

// The bare parameters of version 2.1 that name an encoding rather than a type.
bool isEncodingWord(std::string_view word) {
    for (const char* encoding : {"QUOTED-PRINTABLE", "BASE64", "B", "8BIT", "7BIT"}) {
        if (equalsIgnoringCase(word, encoding)) return true;
    }
    return false;
}

// Adds each comma-separated item of `values` as a value of the parameter `word`, whose name
// is upper-cased once.
void addValues(VCardLine& line, std::string_view word, std::string_view values) {
    std::vector<VCardParameter>& parameters = line.parameters;
    const size_t first = parameters.size();
    size_t from = 0;
    while (from <= values.size()) {
        const size_t comma = firstOf<','>(values, from);
        if (comma > from) {
            VCardParameter& added = parameters.emplace_back();
            if (parameters.size() == first + 1)
                setUpperCase(added.name, word);
            else
                added.name = parameters[first].name;
            added.value.assign(values.substr(from, comma - from));
        }
        from = comma + 1;
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
    i = nameEnd + 1;
    while (i < text.size()) {
        if (text[i] == '"') {
            // A quoted value may hold ';', ':' and ','; a list inside it still splits.
            const size_t close = std::min(text.find('"', i + 1), text.size());
            addValues(line, word, text.substr(i + 1, close - i - 1));
            i = std::min(close + 1, text.size());
        } else {
            const size_t end = firstOf<',', ';', ':'>(text, i);
            addValues(line, word, text.substr(i, end - i));
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

VCardLine& VCardLine::operator=(const VCardLine& other) {
    if (this == &other) return *this;
    group = other.group;
    upperName_ = other.upperName_;
    // A name viewing the other line's copy views this line's.
    name = other.name.data() == other.upperName_.data() ? std::string_view(upperName_) : other.name;
    parameters = other.parameters;
    value = other.value;
    lineNumber = other.lineNumber;
    return *this;
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
    // The name's end and its last dot, in one look at each byte.
    size_t nameEnd = 0;
    size_t dot = std::string_view::npos;
    for (; nameEnd < text.size(); ++nameEnd) {
        const char c = text[nameEnd];
        if (c == ';' || c == ':') break;
        if (c == '.') dot = nameEnd;
    }
    if (nameEnd == text.size() || nameEnd == 0) return false;
    line.group = dot == std::string_view::npos ? std::string_view() : text.substr(0, dot);
    const std::string_view name = text.substr(dot + 1, nameEnd - (dot + 1));  // npos + 1 is 0
    if (name.empty()) return false;
    if (std::any_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        setUpperCase(line.upperName_, name);
        line.name = line.upperName_;
    } else {
        line.name = name;
    }

    size_t i = nameEnd;
    while (i < text.size() && text[i] == ';')
        i = readParameter(text, i + 1, line);
    if (i >= text.size() || text[i] != ':') return false;
    line.value = text.substr(i + 1);
    return true;
}

bool isCardBoundary(const VCardLine& line, std::string_view name) {
    return line.name == name && equalsIgnoringCase(trimmed(line.value, " \t"), "VCARD");
}
