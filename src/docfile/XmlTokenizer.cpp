#include "docfile/XmlTokenizer.h"

#include "fileio/TextEncoding.h"
#include "records/ShortCopy.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace {

bool isLetter(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
bool isNameStart(int c) {
    return xml::is(c, xml::kNameStart);
}
bool isNameChar(int c) {
    return xml::is(c, xml::kNameChar);
}
int hexValue(int c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
int lower(int c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

}  // namespace

TextPosition positionOf(std::string_view text, size_t offset) {
    offset = std::min(offset, text.size());
    const std::string_view before = text.substr(0, offset);
    TextPosition position;
    position.line += static_cast<int32_t>(std::count(before.begin(), before.end(), '\n'));
    const size_t lineStart =
        before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
    // A carriage return is skipped when read, unless it directly follows a skipped one.
    bool skipped = false;
    for (size_t i = lineStart; i < offset; ++i) {
        if (text[i] == '\r' && !skipped) {
            skipped = true;
        } else {
            skipped = false;
            ++position.column;
        }
    }
    return position;
}

bool XmlTokenizer::match(std::string_view keyword, bool anyCase) {
    const char* before = pos_;
    for (const char expected : keyword) {
        const int c = get();
        if (anyCase ? lower(c) != lower(expected) : c != expected) {
            pos_ = before;
            return false;
        }
    }
    return true;
}

std::string_view XmlTokenizer::readNameSlowly() {
    const char* before = pos_;
    const int first = get();
    if (!isNameStart(first)) {
        pos_ = before;
        return {};
    }
    nameScratch_.assign(1, static_cast<char>(first));
    for (;;) {
        const char* at = pos_;
        const int c = get();
        if (!isNameChar(c)) {
            pos_ = at;
            return nameScratch_;
        }
        nameScratch_ += static_cast<char>(c);
    }
}

void XmlTokenizer::readDeclaration() {
    if (!skipWhitespace() || !match("version")) failOnNext();
    skipWhitespace();
    if (get() != '=') fail();
    skipWhitespace();
    int quote = get();
    if (quote != '\'' && quote != '"') fail();
    std::string version;
    for (;;) {
        const char* at = pos_;
        const int c = get();
        if (!isNameChar(c)) {
            pos_ = at;
            break;
        }
        version += static_cast<char>(c);
    }
    if (version.empty() || get() != quote) fail();
    version_ = std::move(version);

    if (skipWhitespace() && match("encoding")) {
        skipWhitespace();
        if (get() != '=') fail();
        skipWhitespace();
        quote = get();
        if (quote != '\'' && quote != '"') fail();
        if (!isLetter(get())) fail();
        for (;;) {
            const char* at = pos_;
            if (!isNameChar(get())) {
                pos_ = at;
                break;
            }
        }
        if (get() != quote) fail();
        skipWhitespace();
    }
    if (!match("?>")) failOnNext();
}

void XmlTokenizer::skipMisc() {
    for (;;) {
        skipWhitespace();
        if (!match("<!--")) return;
        readComment();
    }
}

std::string_view XmlTokenizer::readComment() {
    const char* body = pos_;
    for (;;) {
        while (!atEnd() && *pos_ != '-')
            ++pos_;
        if (atEnd()) fail();
        const char* dash = pos_++;
        if (get() == '-') {
            if (get() != '>') fail();
            return std::string_view(body, static_cast<size_t>(dash - body));
        }
        pos_ = dash + 1;
    }
}

std::string_view XmlTokenizer::readCData() {
    const char* body = pos_;
    for (;;) {
        while (pos_ != end_ && static_cast<unsigned char>(*pos_) >= 0x20 && *pos_ != ']')
            ++pos_;
        if (pos_ == end_) fail();
        const char c = *pos_;
        if (c == ']') {
            const char* bracket = pos_;
            if (match("]]>")) return std::string_view(body, static_cast<size_t>(bracket - body));
            pos_ = bracket + 1;
        } else if (c == '\t' || c == '\n' || c == '\r') {
            ++pos_;
        } else {
            ++pos_;
            fail();  // a control character, or the end of the text
        }
    }
}

namespace {

// The byte a reference written without line breaks stands for, and its length after the
// '&'; a length of 0 when it is not so simple. Reads no more than `left` bytes of `p`.
std::pair<char, size_t> plainReference(const char* p, size_t left) {
    const auto is = [&](std::string_view name) {
        return left >= name.size() && std::memcmp(p, name.data(), name.size()) == 0;
    };
    switch (p[0]) {
        case 'a':
            if (is("amp;")) return {'&', 4};
            if (is("apos;")) return {'\'', 5};
            break;
        case 'l':
            if (is("lt;")) return {'<', 3};
            break;
        case 'g':
            if (is("gt;")) return {'>', 3};
            break;
        case 'q':
            if (is("quot;")) return {'"', 5};
            break;
        case '#': {
            // A decimal reference of up to three digits, as "&#13;" and "&#10;" are.
            unsigned value = 0;
            size_t i = 1;
            for (; i < 4 && i < left && isDigit(p[i]); ++i)
                value = value * 10 + static_cast<unsigned>(p[i] - '0');
            if (i > 1 && i < left && p[i] == ';') return {static_cast<char>(value & 0xFF), i + 1};
            break;
        }
        default:
            break;
    }
    return {0, 0};
}

}  // namespace

std::string_view XmlTokenizer::readAttributeValueSlowly(int quote, const char* run) {
    // Most values that come here hold plain references and nothing wrong: they are decoded
    // in one go into room of the value's size, which what a reference stands for never
    // outgrows. Anything else is read again from the start, a piece at a time.
    const auto stop = static_cast<char>(quote);
    const char* const close = xml::findAnyOf(run, end_, stop, '<', '\0', stop);
    if (close != end_ && *close == stop) {
        valueScratch_.resize(static_cast<size_t>(close - run));
        char* out = valueScratch_.data();
        const char* p = run;
        for (;;) {
            const char* const amp = xml::findAnyOf(p, close, '&', '&', '&', '&');
            copyShort(out, p, static_cast<size_t>(amp - p));
            out += amp - p;
            p = amp;
            if (p == close) break;
            const auto [byte, length] = plainReference(p + 1, static_cast<size_t>(close - p - 1));
            const bool asUtf8 = references_ == References::Windows1252Utf8 &&
                                static_cast<unsigned char>(byte) >= 0x80;
            if (length == 0 || asUtf8) break;
            *out++ = byte;
            p += 1 + length;
        }
        if (p == close) {
            valueScratch_.resize(static_cast<size_t>(out - valueScratch_.data()));
            pos_ = close + 1;
            return valueScratch_;
        }
    }
    pos_ = run;
    valueScratch_.clear();
    for (;;) {
        pos_ = xml::findAnyOf(pos_, end_, static_cast<char>(quote), '<', '&', '\0');
        if (atEnd()) fail();
        const char c = *pos_++;
        if (c == '<') fail();
        valueScratch_.append(run, static_cast<size_t>(pos_ - 1 - run));
        if (c == quote) return valueScratch_;
        appendReference(valueScratch_);
        run = pos_;
    }
}

void XmlTokenizer::appendReference(std::string& out) {
    char byte;
    if (pos_ == end_) {
        byte = readReference();
    } else if (const auto [plain, length] = plainReference(pos_, static_cast<size_t>(end_ - pos_));
               length != 0) {
        pos_ += length;
        byte = plain;
    } else {
        byte = readReference();
    }
    if (references_ == References::Bytes || static_cast<unsigned char>(byte) < 0x80)
        out += byte;
    else
        out += windows1252ToUtf8(std::string_view(&byte, 1));
}

char XmlTokenizer::readReference() {
    const char* at = pos_;
    if (get() == '#') {
        unsigned value = 0;
        int digits = 0;
        const char* beforeX = pos_;
        const bool hex = get() == 'x';
        if (!hex) pos_ = beforeX;
        for (;;) {
            const char* before = pos_;
            const int c = get();
            const int digit = hex ? hexValue(c) : (isDigit(c) ? c - '0' : -1);
            if (digit < 0) {
                pos_ = before;
                break;
            }
            // Only the low eight bits count, so the sum may wrap freely.
            value = (value * (hex ? 16 : 10) + static_cast<unsigned>(digit)) & 0xFF;
            ++digits;
        }
        if (digits == 0 || get() != ';') fail();
        return static_cast<char>(value);
    }
    pos_ = at;
    const std::string_view name = readName();
    char byte;
    if (name == "lt")
        byte = '<';
    else if (name == "gt")
        byte = '>';
    else if (name == "amp")
        byte = '&';
    else if (name == "apos")
        byte = '\'';
    else if (name == "quot")
        byte = '"';
    else
        failOnNext();
    if (get() != ';') fail();
    return byte;
}
