#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "docfile/XmlTokenizer.h"

// What an XML push parser reports, in the order of the text.
class XmlPushHandler {
public:
    using Attributes = std::vector<std::pair<std::string, std::string>>;

    virtual ~XmlPushHandler() = default;
    // A start tag with its attributes as written; an empty element is followed by endTag().
    virtual void startTag(std::string_view name, Attributes& attributes) = 0;
    // More character data of the open element; a run may come in several calls.
    virtual void text(std::string_view run) = 0;
    // The end of the open element.
    virtual void endTag() = 0;
};

// Reads XML handed over a piece at a time, by the same rules as XmlTokenizer (which needs
// the whole text at once), so that a large text need not be held whole: character data
// goes to the handler as it comes, and only a markup token cut by a piece's end is held
// until the rest of it comes. Comments are not reported.
class XmlPushParser : public XmlLexer<XmlPushParser> {
public:
    explicit XmlPushParser(XmlPushHandler& handler)
        : XmlLexer(nullptr, nullptr), handler_(handler) {}

    // Reads the next piece of the text; nothing once it failed or the root ended.
    void feed(std::string_view piece);
    // Reads what was held back, the text being whole; false when it is not well-formed.
    bool finish();
    // Whether the text is known not to be well-formed.
    [[nodiscard]] bool failed() const { return failed_; }
    // How many bytes of the pieces so far are held, waiting for the rest of their token.
    [[nodiscard]] size_t heldBytes() const { return held_.size(); }
    // Where it stopped being well-formed, as XmlTokenizer would say.
    [[nodiscard]] TextPosition errorPosition() const { return errorAt_; }

private:
    friend class XmlLexer<XmlPushParser>;

    enum class State { Start, Prolog, Content, Comment, CData, Epilog, Done };
    // Raised where a token runs past the bytes there are so far.
    struct NeedMore {};

    void run(const char* begin, const char* end);
    // One step of the current state; false to wait for more bytes.
    bool step();
    void commit() { kept_ = pos_; }
    [[nodiscard]] size_t offset(const char* at) const {
        return consumed_ + static_cast<size_t>(at - begin_);
    }
    [[noreturn]] void fail() const { throw XmlSyntaxError{offset(pos_)}; }
    // At the end of the bytes so far: more must come, unless the text is whole.
    void needMore() const {
        if (!final_) throw NeedMore{};
    }
    int get() {
        if (pos_ == end_) return needMore(), 0;
        unsigned char c = static_cast<unsigned char>(*pos_++);
        if (c == '\r') {
            if (pos_ == end_) return needMore(), 0;
            c = static_cast<unsigned char>(*pos_++);
        }
        return c;
    }
    bool atEnd() const {
        if (pos_ == end_) return needMore(), true;
        return *pos_ == '\0';
    }
    std::string_view readName();
    void readStartTag();
    void appendReference(std::string& out) { out += readReference(); }
    bool readContent();
    bool readComment();
    bool readCData();
    bool readMisc();
    // Moves `at` past `bytes`, counting lines and columns as positionOf does.
    void advancePosition(TextPosition& at, bool& skipped, std::string_view bytes) const;

    XmlPushHandler& handler_;
    State state_ = State::Start;
    State afterComment_ = State::Prolog;
    bool final_ = false;
    bool failed_ = false;
    TextPosition errorAt_;
    // The bytes read so far and not yet let go: a token that a piece cut.
    std::string held_;
    // Not tried again before held_ grows to this, so that a long token is not read over
    // and over as its pieces come.
    size_t retryAt_ = 0;
    // The bytes let go before the current ones, and their line and column.
    size_t consumed_ = 0;
    TextPosition position_;
    bool skippedCr_ = false;
    // Where the current bytes begin (the lexer holds the position in them and their end)
    // and the end of what was fully read.
    const char* begin_ = nullptr;
    const char* kept_ = nullptr;
    std::vector<std::string> open_;  // names of the open elements
    std::string tagName_;
    std::string version_;  // the declaration's, which nothing asks for
    XmlPushHandler::Attributes attributes_;
};
