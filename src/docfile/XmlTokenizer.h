#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

enum CharClass : unsigned char {
    kWhitespace = 1,
    kNameStart = 2,
    kNameChar = 4,
};

inline constexpr std::array<unsigned char, 256> kClasses = [] {
    std::array<unsigned char, 256> table{};
    for (const unsigned char c : {' ', '\t', '\r', '\n'})
        table[c] = kWhitespace;
    for (int c = 0; c < 256; ++c) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter || c == '_' || c == ':') table[c] |= kNameStart | kNameChar;
        if ((c >= '0' && c <= '9') || c == '.' || c == '-') table[c] |= kNameChar;
    }
    return table;
}();

inline bool is(int c, CharClass kind) {
    return (kClasses[static_cast<unsigned char>(c)] & kind) != 0;
}

// The first of the bytes from `p` to `end` that is one of a, b, c or d; `end` if none is.
inline const char* findAnyOf(const char* p, const char* end, char a, char b, char c, char d) {
#ifdef __SSE2__
    // Sixteen bytes at a time, and never a load past `end`.
    const __m128i va = _mm_set1_epi8(a);
    const __m128i vb = _mm_set1_epi8(b);
    const __m128i vc = _mm_set1_epi8(c);
    const __m128i vd = _mm_set1_epi8(d);
    while (end - p >= 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)),
                         _mm_or_si128(_mm_cmpeq_epi8(x, vc), _mm_cmpeq_epi8(x, vd)));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p != end && *p != a && *p != b && *p != c && *p != d)
        ++p;
    return p;
}

// How many bytes from `p` on are name characters: the length of a name of up to 15 bytes,
// or 16 when the name is longer (or the bytes run on past it). Reads 16 bytes from `p`.
inline size_t nameLength16(const char* p) {
#ifdef __SSE2__
    // Without a branch per byte: the end of a name is where a loop would guess wrong.
    // Name characters are 0x2D-0x2E ("-."), 0x30-0x3A (digits and ':'), '_' and the
    // letters, which or-ing 0x20 folds onto a-z. A byte lies in [lo, hi] when, shifted by
    // -128 - lo, it compares below -128 + (hi - lo + 1) as a signed byte.
    const auto within = [](__m128i x, char lo, char hi) {
        const __m128i shifted = _mm_add_epi8(x, _mm_set1_epi8(static_cast<char>(-128 - lo)));
        return _mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(-128 + (hi - lo + 1))));
    };
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i name = _mm_or_si128(within(x, '-', '.'), within(x, '0', ':'));
    name = _mm_or_si128(name, within(_mm_or_si128(x, _mm_set1_epi8(0x20)), 'a', 'z'));
    name = _mm_or_si128(name, _mm_cmpeq_epi8(x, _mm_set1_epi8('_')));
    const auto others = static_cast<unsigned>(~_mm_movemask_epi8(name)) | 0x10000u;
    return static_cast<size_t>(__builtin_ctz(others));
#else
    size_t n = 0;
    while (n < 16 && is(p[n], kNameChar))
        ++n;
    return n;
#endif
}

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

// Reads the small subset of XML that document files use: an optional declaration, one
// root element, attributes, character data, the five predefined entities, numeric
// character references, comments and CDATA sections. It does not validate or transcode.
//
// The tokenizer tells a handler what it finds instead of building a tree, so the tree
// reader and the document loader share one set of reading rules. A handler offers:
//   startElement(name), attribute(name, value), startTagEnd(), text(run), comment(body),
//   endElement(), and may offer expectedAttribute(): the xml::ExpectedName of the attribute
//   it expects next, or nullptr; that attribute, when it comes, goes to
//   expectedAttributeValue(value) instead of attribute()
// Views passed to the handler are valid only during the call. Texts arrive as whole runs
// of input bytes between references, carriage returns included. An empty element gets
// startTagEnd() and endElement() right away. Comments outside the root are dropped.
// Errors throw XmlSyntaxError; nothing is read past the end of the text, and a NUL byte
// counts as the end of the text.
class XmlTokenizer {
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
        : start_(text.data()),
          end_(text.data() + text.size()),
          pos_(start_),
          references_(references) {}

    // Reads the whole text; throws XmlSyntaxError at the first error.
    template <class Handler>
    void run(Handler& handler);

    // The version the declaration names, "1.0" when there is none.
    [[nodiscard]] const std::string& version() const { return version_; }

private:
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
    // Reads the next byte, then fails: the error lies on that byte.
    [[noreturn]] void failOnNext() {
        get();
        fail();
    }
    bool atEnd() const { return pos_ == end_ || *pos_ == '\0'; }

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
    // Consumes `keyword` when the input continues with it; otherwise consumes nothing.
    bool match(std::string_view keyword, bool anyCase = false);
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
    // readName() where a CR stands before or inside the name.
    std::string_view readNameSlowly();
    void readDeclaration();
    void skipMisc();
    std::string_view readComment();
    std::string_view readCData();
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
    char readReference();
    // Reads a reference and appends what it stands for.
    void appendReference(std::string& out);

    template <class Handler>
    void readStartTag(Handler& handler);
    template <class Handler>
    void readElement(Handler& handler);

    const char* start_;
    const char* end_;
    const char* pos_;
    std::string version_ = "1.0";
    std::string nameScratch_;
    std::string valueScratch_;
    std::string referenceText_;
    References references_;
    std::vector<std::string> open_;  // names of the open elements
    size_t depth_ = 0;
};

template <class Handler>
void XmlTokenizer::run(Handler& handler) {
    pos_ = start_;
    depth_ = 0;
    if (match("<?xml", true)) readDeclaration();
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
        skipWhitespace();
        if (get() != '=') fail();
        skipWhitespace();
        handler.attribute(attribute, readAttributeValue());
    }
    const int c = get();
    if (c == '/') {
        if (get() != '>') fail();
        handler.startTagEnd();
        handler.endElement();
        --depth_;
    } else if (c == '>') {
        handler.startTagEnd();
    } else {
        fail();
    }
}

template <class Handler>
void XmlTokenizer::readElement(Handler& handler) {
    readStartTag(handler);
    while (depth_ > 0) {
        // Character data up to the next markup, reference or "]]>".
        const char* run = pos_;
        for (;;) {
            pos_ = xml::findAnyOf(pos_, end_, '<', '&', ']', '\0');
            if (pos_ != end_ && *pos_ == ']') {
                const char* bracket = pos_;
                if (match("]]>")) fail();
                pos_ = bracket + 1;
                continue;
            }
            break;
        }
        if (pos_ != run) handler.text(std::string_view(run, static_cast<size_t>(pos_ - run)));
        if (atEnd()) fail();
        if (*pos_ == '&') {
            ++pos_;
            referenceText_.clear();
            appendReference(referenceText_);
            handler.text(referenceText_);
            continue;
        }
        ++pos_;  // '<'
        const char* afterAngle = pos_;
        const int c = get();
        if (c == '/') {
            const std::string_view name = readName();
            if (name != open_[depth_ - 1]) fail();
            skipWhitespace();
            if (get() != '>') fail();
            handler.endElement();
            --depth_;
        } else if (c == '!') {
            if (match("--")) {
                handler.comment(readComment());
            } else if (match("[CDATA[")) {
                handler.text(readCData());
            } else {
                fail();  // "!" cannot start a name
            }
        } else {
            pos_ = afterAngle;
            readStartTag(handler);
        }
    }
}
