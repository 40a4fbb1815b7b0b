#include "docfile/XmlTokenizer.h"

#include "fileio/TextEncoding.h"
#include "records/ShortCopy.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace {

bool isDigit(int c) {
    return c >= '0' && c <= '9';
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

template class XmlLexer<XmlTokenizer>;

void XmlTokenizer::skipMisc() {
    for (;;) {
        skipWhitespace();
        if (!match("<!--")) return;
        readCommentBody();
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
    readValueRest(quote, valueScratch_);
    return valueScratch_;
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
