#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "docfile/XmlChars.h"

// The lexical rules that XmlTokenizer (a whole text) and XmlPushParser (a text that comes a
// piece at a time) share, so that both take and refuse the same texts at the same places.
// A Reader derives from XmlLexer<Reader> and offers:
//   get(): the next byte, 0 at the end, one carriage return in front of it skipped;
//   fail(): throws XmlSyntaxError at `pos_`; atEnd(): whether `pos_` is at the end or a NUL;
//   needMore(): called where the bytes so far end (XmlPushParser throws there);
//   commit(): what was read up to `pos_` need not be kept;
//   readName(); appendReference(out): reads a reference after its '&' and appends it.
// Bodies that are not defined in the class are instantiated once per reader, so that a
// reader's hot path does not take them in.
template <class Reader>
class XmlLexer {
protected:
    XmlLexer(const char* begin, const char* end) : end_(end), pos_(begin) {}

    // Reads the next byte, then fails: the error lies on that byte.
    [[noreturn]] void failOnNext() {
        self().get();
        self().fail();
    }
    bool skipWhitespace() {
        // As get() reads: a CR is skipped, so it counts only when white space follows it.
        const char* const before = pos_;
        while (pos_ != end_) {
            const char c = *pos_;
            if (c == ' ' || c == '\t' || c == '\n')
                ++pos_;
            else if (c == '\r' && end_ - pos_ >= 2 && xml::is(pos_[1], xml::kWhitespace))
                pos_ += 2;
            else
                break;
        }
        return pos_ != before;
    }
    // The '=' between an attribute's name and value, with the white space around it.
    void readEquals() {
        skipWhitespace();
        if (self().get() != '=') self().fail();
        skipWhitespace();
    }
    // The end of a start tag: true for "/>", false for ">".
    bool readStartTagEnd() {
        const int c = self().get();
        if (c == '/') {
            if (self().get() != '>') self().fail();
            return true;
        }
        if (c != '>') self().fail();
        return false;
    }
    // The rest of an end tag after "</", which must close `open`.
    void readEndTag(std::string_view open) {
        if (self().readName() != open) self().fail();
        skipWhitespace();
        if (self().get() != '>') self().fail();
    }
    // Reads the '&' at `pos_` and the reference it starts; returns what it stands for, valid
    // until the next reference.
    std::string_view readTextReference() {
        ++pos_;
        referenceText_.clear();
        self().appendReference(referenceText_);
        return referenceText_;
    }
    enum class Markup { EndTag, Comment, CData, StartTag };
    // Reads the '<' at `pos_` and what follows it as far as it tells the kind of markup:
    // "</", "<!--" and "<![CDATA[" are consumed, a start tag's name is not.
    Markup readMarkupStart() {
        const char* const afterAngle = ++pos_;
        const int c = self().get();
        if (c == '/') return Markup::EndTag;
        if (c == '!') {
            if (match("--")) return Markup::Comment;
            if (match("[CDATA[")) return Markup::CData;
            self().fail();  // "!" cannot start a name
        }
        pos_ = afterAngle;
        return Markup::StartTag;
    }
    // Character data up to the next markup, reference or the end of the bytes; "]]>" is an
    // error in it.
    void skipText() {
        for (;;) {
            pos_ = xml::findAnyOf(pos_, end_, '<', '&', ']', '\0');
            if (pos_ == end_ || *pos_ != ']') return;
            const char* const bracket = pos_;
            if (match("]]>")) self().fail();
            pos_ = bracket + 1;
        }
    }

    // Consumes `keyword` when the input continues with it; otherwise consumes nothing, even
    // when the reader throws for more bytes.
    bool match(std::string_view keyword, bool anyCase = false);
    // A name through get(), for where a CR stands before or inside it; "" (consuming
    // nothing) when none starts here.
    std::string_view readNameSlowly();
    // The declaration after "<?xml"; the version it names goes to `version`.
    void readDeclaration(std::string& version);
    // An attribute value from `pos_` up to and past its closing `quote`, appended to `out`.
    void readValueRest(int quote, std::string& out);
    // A reference after its '&': the byte it stands for.
    char readReference();
    // A comment after "<!--" up to and past its "-->"; returns where that stands. Its body
    // is committed as it is read.
    const char* readCommentBody();
    // A CDATA section after "<![CDATA[" up to and past its "]]>"; returns where that stands.
    // Where the bytes so far end first, `pos_` stays after the body read so far.
    const char* readCDataBody();

    const char* end_;
    const char* pos_;
    std::string nameScratch_;
    std::string referenceText_;

private:
    Reader& self() { return static_cast<Reader&>(*this); }
};

template <class Reader>
bool XmlLexer<Reader>::match(std::string_view keyword, bool anyCase) {
    const char* before = pos_;
    try {
        for (const char expected : keyword) {
            const int c = self().get();
            if (anyCase ? xml::asciiLower(c) != xml::asciiLower(expected) : c != expected) {
                pos_ = before;
                return false;
            }
        }
    } catch (...) {
        pos_ = before;
        throw;
    }
    return true;
}

template <class Reader>
std::string_view XmlLexer<Reader>::readNameSlowly() {
    const char* before = pos_;
    const int first = self().get();
    if (!xml::is(first, xml::kNameStart)) {
        pos_ = before;
        return {};
    }
    nameScratch_.assign(1, static_cast<char>(first));
    for (;;) {
        const char* at = pos_;
        const int c = self().get();
        if (!xml::is(c, xml::kNameChar)) {
            pos_ = at;
            return nameScratch_;
        }
        nameScratch_ += static_cast<char>(c);
    }
}

template <class Reader>
void XmlLexer<Reader>::readDeclaration(std::string& version) {
    if (!skipWhitespace() || !match("version")) failOnNext();
    readEquals();
    int quote = self().get();
    if (quote != '\'' && quote != '"') self().fail();
    std::string named;
    for (;;) {
        const char* at = pos_;
        const int c = self().get();
        if (!xml::is(c, xml::kNameChar)) {
            pos_ = at;
            break;
        }
        named += static_cast<char>(c);
    }
    if (named.empty() || self().get() != quote) self().fail();
    version = std::move(named);

    if (skipWhitespace() && match("encoding")) {
        readEquals();
        quote = self().get();
        if (quote != '\'' && quote != '"') self().fail();
        const int c = self().get();
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) self().fail();
        for (;;) {
            const char* at = pos_;
            if (!xml::is(self().get(), xml::kNameChar)) {
                pos_ = at;
                break;
            }
        }
        if (self().get() != quote) self().fail();
        skipWhitespace();
    }
    if (!match("?>")) failOnNext();
}

template <class Reader>
void XmlLexer<Reader>::readValueRest(int quote, std::string& out) {
    const char* run = pos_;
    for (;;) {
        pos_ = xml::findAnyOf(pos_, end_, static_cast<char>(quote), '<', '&', '\0');
        if (self().atEnd()) self().fail();
        const char c = *pos_++;
        if (c == '<') self().fail();
        out.append(run, static_cast<size_t>(pos_ - 1 - run));
        if (c == quote) return;
        self().appendReference(out);
        run = pos_;
    }
}

template <class Reader>
char XmlLexer<Reader>::readReference() {
    const char* at = pos_;
    if (self().get() == '#') {
        unsigned value = 0;
        int digits = 0;
        const char* beforeX = pos_;
        const bool hex = self().get() == 'x';
        if (!hex) pos_ = beforeX;
        for (;;) {
            const char* before = pos_;
            const int c = self().get();
            const int digit = hex ? xml::hexValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
            if (digit < 0) {
                pos_ = before;
                break;
            }
            // Only the low eight bits count, so the sum may wrap freely.
            value = (value * (hex ? 16 : 10) + static_cast<unsigned>(digit)) & 0xFF;
            ++digits;
        }
        if (digits == 0 || self().get() != ';') self().fail();
        return static_cast<char>(value);
    }
    pos_ = at;
    const std::string_view name = self().readName();
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
    if (self().get() != ';') self().fail();
    return byte;
}

template <class Reader>
const char* XmlLexer<Reader>::readCommentBody() {
    for (;;) {
        pos_ = xml::findAnyOf(pos_, end_, '-', '\0', '-', '-');
        self().commit();
        if (self().atEnd()) self().fail();
        const char* const dash = pos_++;
        if (self().get() == '-') {
            if (self().get() != '>') self().fail();
            return dash;
        }
        pos_ = dash + 1;
    }
}

template <class Reader>
const char* XmlLexer<Reader>::readCDataBody() {
    for (;;) {
        while (pos_ != end_ && static_cast<unsigned char>(*pos_) >= 0x20 && *pos_ != ']')
            ++pos_;
        if (pos_ == end_) {
            self().needMore();
            self().fail();
        }
        const char c = *pos_;
        if (c == ']') {
            const char* const bracket = pos_;
            if (match("]]>")) return bracket;
            pos_ = bracket + 1;
        } else if (c == '\t' || c == '\n' || c == '\r') {
            ++pos_;
        } else {
            ++pos_;
            self().fail();  // a control character, or the end of the text
        }
    }
}
