#include "sync/XmlPushParser.h"

#include <algorithm>

// The lexical rules are XmlLexer's, which XmlTokenizer reads by too, so that both take
// and refuse the same texts at the same places; what is here is where the bytes so far
// end. A markup token is read whole or not at all: reaching the end midway raises
// NeedMore, and it is read again from its start once more bytes came. Character data,
// comments and CDATA are let go as they are read.

void XmlPushParser::feed(std::string_view piece) {
    if (failed_ || state_ == State::Done || piece.empty()) return;
    const bool fromHeld = !held_.empty();
    if (fromHeld) {
        held_.append(piece);
        if (held_.size() < retryAt_) return;
        piece = held_;
    }
    run(piece.data(), piece.data() + piece.size());
    if (failed_ || state_ == State::Done) {
        held_ = std::string();
        return;
    }
    const auto used = static_cast<size_t>(kept_ - begin_);
    if (fromHeld)
        held_.erase(0, used);
    else
        held_.assign(kept_, end_);
    retryAt_ = 2 * held_.size();
}

bool XmlPushParser::finish() {
    if (failed_) return false;
    final_ = true;
    if (state_ != State::Done) {
        const std::string held = std::move(held_);
        held_ = std::string();
        run(held.data(), held.data() + held.size());
        if (!failed_ && state_ != State::Done) {
            failed_ = true;  // cannot be: the end of the text decides every state
            errorAt_ = position_;
        }
    }
    return !failed_;
}

void XmlPushParser::run(const char* begin, const char* end) {
    begin_ = begin;
    end_ = end;
    pos_ = kept_ = begin;
    try {
        while (state_ != State::Done && step()) {
        }
    } catch (const NeedMore&) {
        pos_ = kept_;
    } catch (const XmlSyntaxError& error) {
        failed_ = true;
        errorAt_ = position_;
        bool skipped = skippedCr_;
        advancePosition(errorAt_, skipped,
                        std::string_view(begin_, std::min(error.offset - consumed_,
                                                          static_cast<size_t>(end_ - begin_))));
        return;
    }
    advancePosition(position_, skippedCr_, std::string_view(begin_, size_t(kept_ - begin_)));
    consumed_ += static_cast<size_t>(kept_ - begin_);
}

void XmlPushParser::advancePosition(TextPosition& at, bool& skipped, std::string_view bytes) const {
    // As positionOf counts: a line feed starts a line, a carriage return is skipped unless it
    // directly follows a skipped one.
    if (const size_t last = bytes.rfind('\n'); last != std::string_view::npos) {
        at.line += static_cast<int32_t>(std::count(bytes.begin(), bytes.begin() + last + 1, '\n'));
        at.column = 1;
        skipped = false;
        bytes.remove_prefix(last + 1);
    }
    // Byte by byte only where a CR is: an item's long text is counted at the speed it came.
    while (!bytes.empty()) {
        const size_t cr = std::min(bytes.find('\r'), bytes.size());
        if (cr != 0) {
            at.column += static_cast<int32_t>(cr);
            skipped = false;
            bytes.remove_prefix(cr);
            continue;
        }
        if (skipped) ++at.column;
        skipped = !skipped;
        bytes.remove_prefix(1);
    }
}

bool XmlPushParser::step() {
    switch (state_) {
        case State::Start:
            if (match("<?xml", true)) readDeclaration(version_);
            state_ = State::Prolog;
            commit();
            return true;
        case State::Prolog:
        case State::Epilog:
            return readMisc();
        case State::Content:
            return readContent();
        case State::Comment:
            return readComment();
        case State::CData:
            return readCData();
        case State::Done:
            break;
    }
    return false;
}

std::string_view XmlPushParser::readName() {
    const char* const first = pos_;
    if (pos_ != end_ && xml::is(*pos_, xml::kNameStart)) {
        ++pos_;
        while (pos_ != end_ && xml::is(*pos_, xml::kNameChar))
            ++pos_;
        if (pos_ == end_) needMore();  // the name may go on
        if (pos_ == end_ || *pos_ != '\r')
            return std::string_view(first, static_cast<size_t>(pos_ - first));
        pos_ = first;
    }
    return readNameSlowly();
}

bool XmlPushParser::readMisc() {
    skipWhitespace();
    commit();
    if (match("<!--")) {
        afterComment_ = state_;
        state_ = State::Comment;
        commit();
        return true;
    }
    if (state_ == State::Epilog) {
        // Whatever follows the root is ignored.
        state_ = State::Done;
        return false;
    }
    if (get() != '<') fail();  // no root element
    readStartTag();
    commit();
    return true;
}

void XmlPushParser::readStartTag() {
    const std::string_view name = readName();
    if (name.empty() || open_.size() == XmlTokenizer::kMaxDepth) fail();
    tagName_.assign(name);
    attributes_.clear();
    for (;;) {
        if (!skipWhitespace()) break;
        const std::string_view attribute = readName();
        if (attribute.empty()) break;
        // Copied first: a reference in the value reads names into the same scratch.
        attributes_.emplace_back(std::string(attribute), std::string());
        readEquals();
        const int quote = get();
        if (quote != '\'' && quote != '"') fail();
        readValueRest(quote, attributes_.back().second);
    }
    const bool empty = readStartTagEnd();
    handler_.startTag(tagName_, attributes_);
    if (empty) {
        handler_.endTag();
        if (open_.empty()) state_ = State::Epilog;
    } else {
        open_.push_back(tagName_);
        state_ = State::Content;
    }
}

bool XmlPushParser::readContent() {
    const char* const run = pos_;
    bool cut = false;  // a ']' at the end of the bytes so far may start "]]>"
    try {
        skipText();
    } catch (const NeedMore&) {
        cut = true;
    }
    if (pos_ != run) handler_.text(std::string_view(run, static_cast<size_t>(pos_ - run)));
    commit();
    if (cut || (pos_ == end_ && !final_)) return false;
    if (atEnd()) fail();
    if (*pos_ == '&') {
        handler_.text(readTextReference());
        commit();
        return true;
    }
    switch (readMarkupStart()) {
        case Markup::EndTag:
            readEndTag(open_.back());
            handler_.endTag();
            open_.pop_back();
            if (open_.empty()) state_ = State::Epilog;
            break;
        case Markup::Comment:
            afterComment_ = State::Content;
            state_ = State::Comment;
            break;
        case Markup::CData:
            state_ = State::CData;
            break;
        case Markup::StartTag:
            readStartTag();
            break;
    }
    commit();
    return true;
}

bool XmlPushParser::readComment() {
    readCommentBody();
    state_ = afterComment_;
    commit();
    return true;
}

bool XmlPushParser::readCData() {
    const char* const body = pos_;
    const char* end = nullptr;
    try {
        end = readCDataBody();
    } catch (const NeedMore&) {
        // What came so far is let go; "]]>" is looked for again from a cut ']'.
        if (pos_ != body) handler_.text(std::string_view(body, static_cast<size_t>(pos_ - body)));
        commit();
        return false;
    }
    if (end != body) handler_.text(std::string_view(body, static_cast<size_t>(end - body)));
    state_ = State::Content;
    commit();
    return true;
}
