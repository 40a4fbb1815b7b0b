#include "exchange/VCardLineReader.h"

#include <algorithm>

#include "exchange/VCardLine.h"
#include "textio/FieldTokenizer.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

bool endsInSoftLineBreak(std::string_view line) {
    if (line.empty() || line.back() != '=') return false;
    const std::string_view head = line.substr(0, line.find(':'));
    // The encoding is a parameter; searching the head for it needs no full parse.
    for (size_t at = 0; at + 16 <= head.size(); ++at) {
        if ((head[at] == 'Q' || head[at] == 'q') &&
            equalsIgnoringCase(head.substr(at, 16), "QUOTED-PRINTABLE"))
            return true;
    }
    return false;
}

std::string_view VCardLineReader::physicalLine() {
    // One search for either line end: find_first_of would look up every byte in the set.
    const char* const begin = text_.data();
    const auto end = static_cast<size_t>(
        FieldTokenizer::findEither(begin + pos_, begin + text_.size(), '\r', '\n') - begin);
    const std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++nextLine_;
    return line;
}

bool VCardLineReader::continuesWithBlank() const {
    return pos_ < text_.size() && isBlank(text_[pos_]);
}

bool VCardLineReader::next(std::string_view& line) {
    while (pos_ < text_.size()) {
        startLine_ = nextLine_;
        std::string_view first = physicalLine();
        const bool soft = endsInSoftLineBreak(first);
        if (!continuesWithBlank() && !soft) {
            if (first.empty()) continue;
            line = first;
            return true;
        }
        joined_.assign(first);
        while (pos_ < text_.size()) {
            if (endsInSoftLineBreak(joined_)) {
                joined_.pop_back();
                joined_ += physicalLine();
            } else if (continuesWithBlank()) {
                joined_ += physicalLine().substr(1);
            } else {
                break;
            }
        }
        if (joined_.empty()) continue;
        line = joined_;
        return true;
    }
    return false;
}
