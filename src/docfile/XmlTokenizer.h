#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "docfile/XmlLexer.h"

// Where a text stopped being well-formed, as a byte offset into it.
struct XmlSyntaxError {
    size_t offset;
};

// A line and a column, both counted from 1.
struct TextPosition {
    int32_t line = 1;
    int32_t column = 1;
};

// The line and column of a byte offset, counted as the reader reads: a line feed starts a
// new line, a carriage return in front of another byte is not counted.
[[nodiscard]] TextPosition positionOf(std::string_view text, size_t offset);

namespace xml {

// An attribute name a handler expects next, as the bytes ` name="` would start with after
// the blank: a handler that knows the order its attributes come in lets the tokenizer
// check them in one comparison rather than read the name first.
struct ExpectedName {
    alignas(16) char bytes[16] = {};
    unsigned mask = 0;  // a bit for each byte of bytes[] that counts
    size_t length = 0;  // of the name alone
};

// The expected form of `name`, which must be 1 to 14 bytes long.
constexpr ExpectedName expectedName(std::string_view name) {
    ExpectedName expected;
    for (size_t i = 0; i < name.size(); ++i)
        expected.bytes[i] = name[i];
    expected.bytes[name.size()] = '=';
    expected.bytes[name.size() + 1] = '"';
    expected.mask = (1u << (name.size() + 2)) - 1;
    expected.length = name.size();
    return expected;
}

}  // namespace xml

// A text that comes a window at a time, for XmlTokenizer::readInWindows.
class XmlTextWindow {
public:
    // The text from `keep`, which lies in the text given last, to the end of the window and
    // as much as comes after it, wherever the window now holds it.
    virtual std::string_view slide(const char* keep) = 0;
    // Whether the text given last runs to the end of the whole.
    [[nodiscard]] virtual bool ended() const = 0;

protected:
    ~XmlTextWindow() = default;
};

// Reads the small subset of XML that document files use: an optional declaration, one
// root element, attributes, character data, the five predefined entities, numeric
// character references, comments and CDATA sections. It does not validate or transcode.
//
// The tokenizer tells a handler what it finds instead of building a tree, so the tree
// reader and the document loader share one set of reading rules. A handler offers:
//   startElement(name), attribute(name, value), startTagEnd(), text(run), comment(body),
//   endElement(), and may offer expectedAttribute(): the xml::ExpectedName of the attribute
//   it expects next, or nullptr; that attribute, when it comes, goes to
//   expectedAttributeValue(value) instead of attribute(); and mayMoveText(): whether it holds
//   no view of the text now, which a window may then slide on
// Views passed to the handler are valid only during the call. Texts arrive as whole runs
// of input bytes between references, carriage returns included. An empty element gets
// startTagEnd() and endElement() right away. Comments outside the root are dropped.
// Errors throw XmlSyntaxError; nothing is read past the end of the text, and a NUL byte
// counts as the end of the text.
class XmlTokenizer : public XmlLexer<XmlTokenizer> {
public:
    // Deeper nesting is a syntax error, so that hostile input cannot exhaust the stack of
    // whatever walks the result.
    static constexpr size_t kMaxDepth = 256;

    // What the byte of a character reference stands for.
    enum class References {
        Bytes,            // the byte itself
        Windows1252Utf8,  // a byte from 0x80 up: that Windows-1252 character in UTF-8
    };

    explicit XmlTokenizer(std::string_view text, References references = References::Bytes)
        : XmlLexer(text.data(), text.data() + text.size()),
          start_(text.data()),
          slideAt_(end_),
          references_(references) {}

    // Has run() read the text, with which the tokenizer was made, from `window`: where fewer
    // than `margin` bytes are left and the handler may move the text, the window slides on.
    // An element that runs past the window's end reads as cut short, a syntax error whose
    // offset counts from the start of the window it stood in.
    void readInWindows(XmlTextWindow& window, size_t margin) {
        window_ = &window;
        margin_ = margin;
        setSlidePoint();
    }

    // Reads the whole text; throws XmlSyntaxError at the first error.
    template <class Handler>
    void run(Handler& handler);

    // The version the declaration names, "1.0" when there is none.
    [[nodiscard]] const std::string& version() const { return version_; }

private:
    friend class XmlLexer<XmlTokenizer>;

    // One byte of input, 0 at the end; one carriage return in front of it is skipped.
    int get() {
        if (pos_ == end_) return 0;
        unsigned char c = static_cast<unsigned char>(*pos_++);
        if (c == '\r') {
            if (pos_ == end_) return 0;
            c = static_cast<unsigned char>(*pos_++);
        }
        return c;
    }
    [[noreturn]] void fail() const { throw XmlSyntaxError{static_cast<size_t>(pos_ - start_)}; }
    bool atEnd() const { return pos_ == end_ || *pos_ == '\0'; }
    // The whole text is there: its end is the end, and nothing read is held.
    void needMore() const {}
    void commit() const {}

    // A name, or "" (consuming nothing) when none starts here.
    std::string_view readName() {
        const char* first = pos_;
        if (first == end_ || !xml::is(*first, xml::kNameStart)) return readNameSlowly();
        const size_t length = end_ - first >= 16 ? xml::nameLength16(first) : 16;
        pos_ = first + length;
        if (length == 16) {
            pos_ = first + 1;
            while (pos_ != end_ && xml::is(*pos_, xml::kNameChar))
                ++pos_;
        }
        if (pos_ != end_ && *pos_ == '\r') {
            pos_ = first;
            return readNameSlowly();
        }
        return std::string_view(first, static_cast<size_t>(pos_ - first));
    }
    void skipMisc();
    std::string_view readAttributeValue() {
        const int quote = get();
        if (quote != '\'' && quote != '"') fail();
        const char* run = pos_;
        pos_ = xml::findAnyOf(pos_, end_, static_cast<char>(quote), '<', '&', '\0');
        if (pos_ != end_ && *pos_ == quote)
            return std::string_view(run, static_cast<size_t>(pos_++ - run));
        return readAttributeValueSlowly(quote, run);
    }
    // The rest of an attribute value from `run` on, which holds a reference or an error.
    std::string_view readAttributeValueSlowly(int quote, const char* run);
    // Reads a reference and appends what it stands for.
    void appendReference(std::string& out);

    // Where the window slides on once the reader has passed it; the end without a window.
    void setSlidePoint() {
        slideAt_ = window_ == nullptr || window_->ended()
                       ? end_
                       : end_ - std::min(margin_, static_cast<size_t>(end_ - pos_));
    }
    template <class Handler>
    void slide(Handler& handler) {
        if constexpr (requires { handler.mayMoveText(); }) {
            if (!handler.mayMoveText()) return;
            const std::string_view text = window_->slide(pos_);
            start_ = pos_ = text.data();
            end_ = pos_ + text.size();
            setSlidePoint();
        }
    }
    template <class Handler>
    void readStartTag(Handler& handler);
    template <class Handler>
    void readElement(Handler& handler);

    const char* start_;
    const char* slideAt_;
    XmlTextWindow* window_ = nullptr;
    size_t margin_ = 0;
    std::string version_ = "1.0";
    std::string valueScratch_;
    References references_;
    std::vector<std::string> open_;  // names of the open elements
    size_t depth_ = 0;
};

extern template class XmlLexer<XmlTokenizer>;

template <class Handler>
void XmlTokenizer::run(Handler& handler) {
    pos_ = start_;
    depth_ = 0;
    if (match("<?xml", true)) readDeclaration(version_);
    skipMisc();
    if (get() != '<') fail();  // no root element
    readElement(handler);
    skipMisc();
    // Whatever follows the root is ignored.
}

template <class Handler>
void XmlTokenizer::readStartTag(Handler& handler) {
    const std::string_view name = readName();
    if (name.empty() || depth_ == kMaxDepth) fail();
    if (open_.size() == depth_) open_.emplace_back();
    open_[depth_++].assign(name);
    handler.startElement(name);
    for (;;) {
#ifdef __SSE2__
        // The name the handler expects, followed by `="`, seen in one comparison; the value's
        // end is then looked for without waiting for the name's.
        if constexpr (requires { handler.expectedAttribute(); }) {
            const xml::ExpectedName* const expected = handler.expectedAttribute();
            if (expected != nullptr && end_ - pos_ > 17 && pos_[0] == ' ') {
                const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pos_ + 1));
                const __m128i want =
                    _mm_load_si128(reinterpret_cast<const __m128i*>(expected->bytes));
                const auto same = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, want)));
                if ((same & expected->mask) == expected->mask) {
                    const char* const first = pos_ + 1;
                    const char* const value = first + expected->length + 2;
                    const char* const stop = xml::findAnyOf(value, end_, '"', '<', '&', '\0');
                    if (stop != end_ && *stop == '"') {
                        pos_ = stop + 1;
                        handler.expectedAttributeValue(
                            std::string_view(value, static_cast<size_t>(stop - value)));
                        continue;
                    }
                }
            }
        }
#endif
        // The common form, ` name="value"`, straight through.
        if (end_ - pos_ > 3 && pos_[0] == ' ' && xml::is(pos_[1], xml::kNameStart)) {
            const char* const first = pos_ + 1;
            const size_t length = end_ - first >= 16 ? xml::nameLength16(first) : 16;
            const char* p = first + length;
            if (length == 16) {
                p = first + 1;
                while (p != end_ && xml::is(*p, xml::kNameChar))
                    ++p;
            }
            if (end_ - p > 2 && p[0] == '=' && p[1] == '"') {
                const char* const value = p + 2;
                const char* const stop = xml::findAnyOf(value, end_, '"', '<', '&', '\0');
                if (stop != end_ && *stop == '"') {
                    pos_ = stop + 1;
                    handler.attribute(std::string_view(first, static_cast<size_t>(p - first)),
                                      std::string_view(value, static_cast<size_t>(stop - value)));
                    continue;
                }
            }
        }
        if (!skipWhitespace()) break;
        std::string_view attribute = readName();
        if (attribute.empty()) break;
        // A name in the scratch buffer would not survive reading an entity of the value.
        std::string held;
        if (attribute.data() == nameScratch_.data()) attribute = held = attribute;
        readEquals();
        handler.attribute(attribute, readAttributeValue());
    }
    const bool empty = readStartTagEnd();
    handler.startTagEnd();
    if (empty) {
        handler.endElement();
        --depth_;
    }
}

template <class Handler>
void XmlTokenizer::readElement(Handler& handler) {
    readStartTag(handler);
    while (depth_ > 0) {
        if (pos_ > slideAt_) slide(handler);
        // Character data up to the next markup, reference or "]]>".
        const char* run = pos_;
        skipText();
        if (pos_ != run) handler.text(std::string_view(run, static_cast<size_t>(pos_ - run)));
        if (atEnd()) fail();
        if (*pos_ == '&') {
            handler.text(readTextReference());
            continue;
        }
        switch (readMarkupStart()) {
            case Markup::EndTag:
                readEndTag(open_[depth_ - 1]);
                handler.endElement();
                --depth_;
                break;
            case Markup::Comment: {
                const char* const body = pos_;
                const char* const end = readCommentBody();
                handler.comment(std::string_view(body, static_cast<size_t>(end - body)));
                break;
            }
            case Markup::CData: {
                const char* const body = pos_;
                const char* const end = readCDataBody();
                handler.text(std::string_view(body, static_cast<size_t>(end - body)));
                break;
            }
            case Markup::StartTag:
                readStartTag(handler);
                break;
        }
    }
}
