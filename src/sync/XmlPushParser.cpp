#include "sync/XmlPushParser.h"

#include <algorithm>

// The reading functions follow XmlTokenizer's one for one, so that both take and refuse the
// same texts at the same places; they differ where the bytes so far end. A markup token
// is read whole or not at all: reaching the end midway raises NeedMore, and it is read
// again from its start once more bytes came. Character data, comments and CDATA are let go
// as they are read.

namespace {

int lower(int c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}
int hexValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

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
            if (match("<?xml", true)) readDeclaration();
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

bool XmlPushParser::skipWhitespace() {
    // A CR at the end of the bytes so far stays: what follows it decides, and the next get()
    // waits for that.
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

bool XmlPushParser::match(std::string_view keyword, bool anyCase) {
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
    // A CR stands before or inside the name, and is skipped as get() skips it.
    const int c = get();
    if (!xml::is(c, xml::kNameStart)) {
        pos_ = first;
        return {};
    }
    nameScratch_.assign(1, static_cast<char>(c));
    for (;;) {
        const char* at = pos_;
        const int next = get();
        if (!xml::is(next, xml::kNameChar)) {
            pos_ = at;
            return nameScratch_;
        }
        nameScratch_ += static_cast<char>(next);
    }
}

void XmlPushParser::readDeclaration() {
    if (!skipWhitespace() || !match("version")) failOnNext();
    skipWhitespace();
    if (get() != '=') fail();
    skipWhitespace();
    int quote = get();
    if (quote != '\'' && quote != '"') fail();
    bool named = false;
    for (;;) {
        const char* at = pos_;
        if (!xml::is(get(), xml::kNameChar)) {
            pos_ = at;
            break;
        }
        named = true;
    }
    if (!named || get() != quote) fail();
    if (skipWhitespace() && match("encoding")) {
        skipWhitespace();
        if (get() != '=') fail();
        skipWhitespace();
        quote = get();
        if (quote != '\'' && quote != '"') fail();
        const int c = get();
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) fail();
        for (;;) {
            const char* at = pos_;
            if (!xml::is(get(), xml::kNameChar)) {
                pos_ = at;
                break;
            }
        }
        if (get() != quote) fail();
        skipWhitespace();
    }
    if (!match("?>")) failOnNext();
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
        skipWhitespace();
        if (get() != '=') fail();
        skipWhitespace();
        readAttributeValue(attributes_.back().second);
    }
    const int c = get();
    if (c == '/') {
        if (get() != '>') fail();
    } else if (c != '>') {
        fail();
    }
    handler_.startTag(tagName_, attributes_);
    if (c == '/') {
        handler_.endTag();
        if (open_.empty()) state_ = State::Epilog;
    } else {
        open_.push_back(tagName_);
        state_ = State::Content;
    }
}

void XmlPushParser::readEndTag() {
    const std::string_view name = readName();
    if (name != open_.back()) fail();
    skipWhitespace();
    if (get() != '>') fail();
    handler_.endTag();
    open_.pop_back();
    if (open_.empty()) state_ = State::Epilog;
}

void XmlPushParser::readAttributeValue(std::string& value) {
    const int quote = get();
    if (quote != '\'' && quote != '"') fail();
    const char* run = pos_;
    for (;;) {
        pos_ = xml::findAnyOf(pos_, end_, static_cast<char>(quote), '<', '&', '\0');
        if (atEnd()) fail();
        const char c = *pos_++;
        if (c == '<') fail();
        value.append(run, static_cast<size_t>(pos_ - 1 - run));
        if (c == quote) return;
        appendReference(value);
        run = pos_;
    }
}

void XmlPushParser::appendReference(std::string& out) {
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
            const int digit = hex ? hexValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
            if (digit < 0) {
                pos_ = before;
                break;
            }
            // Only the low eight bits count, so the sum may wrap freely.
            value = (value * (hex ? 16 : 10) + static_cast<unsigned>(digit)) & 0xFF;
            ++digits;
        }
        if (digits == 0 || get() != ';') fail();
        out += static_cast<char>(value);
        return;
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
    out += byte;
}

bool XmlPushParser::readContent() {
    const char* const run = pos_;
    bool cut = false;  // a ']' at the end of the bytes so far may start "]]>"
    for (;;) {
        pos_ = xml::findAnyOf(pos_, end_, '<', '&', ']', '\0');
        if (pos_ == end_ || *pos_ != ']') break;
        const char* const bracket = pos_;
        bool closes = false;
        try {
            closes = match("]]>");
        } catch (const NeedMore&) {
            pos_ = bracket;
            cut = true;
            break;
        }
        if (closes) fail();
        pos_ = bracket + 1;
    }
    if (pos_ != run) handler_.text(std::string_view(run, static_cast<size_t>(pos_ - run)));
    commit();
    if (cut || (pos_ == end_ && !final_)) return false;
    if (atEnd()) fail();
    if (*pos_ == '&') {
        ++pos_;
        reference_.clear();
        appendReference(reference_);
        handler_.text(reference_);
        commit();
        return true;
    }
    ++pos_;  // '<'
    const char* const afterAngle = pos_;
    const int c = get();
    if (c == '/') {
        readEndTag();
    } else if (c == '!') {
        if (match("--")) {
            afterComment_ = State::Content;
            state_ = State::Comment;
        } else if (match("[CDATA[")) {
            state_ = State::CData;
        } else {
            fail();  // "!" cannot start a name
        }
    } else {
        pos_ = afterAngle;
        readStartTag();
    }
    commit();
    return true;
}

bool XmlPushParser::readComment() {
    for (;;) {
        pos_ = xml::findAnyOf(pos_, end_, '-', '\0', '-', '-');
        commit();  // a comment's body is not kept
        if (atEnd()) fail();
        const char* const dash = pos_++;
        if (get() == '-') {
            if (get() != '>') fail();
            state_ = afterComment_;
            commit();
            return true;
        }
        pos_ = dash + 1;
    }
}

bool XmlPushParser::readCData() {
    const char* const body = pos_;
    for (;;) {
        while (pos_ != end_ && static_cast<unsigned char>(*pos_) >= 0x20 && *pos_ != ']')
            ++pos_;
        if (pos_ == end_) {
            if (final_) fail();
            break;
        }
        const char c = *pos_;
        if (c == ']') {
            const char* const bracket = pos_;
            bool closes = false;
            try {
                closes = match("]]>");
            } catch (const NeedMore&) {
                pos_ = bracket;
                break;
            }
            if (closes) {
                if (bracket != body)
                    handler_.text(std::string_view(body, static_cast<size_t>(bracket - body)));
                state_ = State::Content;
                commit();
                return true;
            }
            pos_ = bracket + 1;
        } else if (c == '\t' || c == '\n' || c == '\r') {
            ++pos_;
        } else {
            ++pos_;
            fail();  // a control character, or the end of the text
        }
    }
    if (pos_ != body) handler_.text(std::string_view(body, static_cast<size_t>(pos_ - body)));
    commit();
    return false;
}
