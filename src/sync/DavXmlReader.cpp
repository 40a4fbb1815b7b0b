#include "sync/DavXmlReader.h"
#include "platform/Translate.h"

#include <algorithm>
#include <iterator>

void DavXmlReader::startTag(std::string_view qualified, Attributes& attributes) {
    DavElement* element = &root_;
    // The children of an open element grow only while it is the innermost one, so the
    // pointers to the open ones stay valid.
    if (!open_.empty()) element = &open_.back()->children.emplace_back();
    started_ = true;
    open_.push_back(element);
    scopeSizes_.push_back(scope_.size());
    for (auto& [name, value] : attributes) {
        if (name == "xmlns")
            scope_.emplace_back("", std::move(value));
        else if (name.starts_with("xmlns:"))
            scope_.emplace_back(name.substr(6), std::move(value));
        else
            element->attributes.emplace_back(std::move(name), std::move(value));
    }
    const size_t colon = qualified.find(':');
    const std::string_view prefix =
        colon == std::string_view::npos ? std::string_view() : qualified.substr(0, colon);
    // The innermost binding wins, and of one element's the last.
    const auto bound = std::find_if(scope_.rbegin(), scope_.rend(),
                                    [&](const auto& binding) { return binding.first == prefix; });
    if (bound == scope_.rend() && !prefix.empty() && unbound_.empty()) unbound_ = prefix;
    element->ns = bound == scope_.rend() ? std::string() : bound->second;
    element->name = colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

void DavXmlReader::text(std::string_view run) {
    // A long text (an item's) is gathered run by run and joined once its element ends, to
    // its size: grown in place, it would be copied at each doubling of its room, and the
    // rooms it left and the room it did not fill would stay taken.
    constexpr size_t kLong = size_t{64} << 10;
    std::string& text = open_.back()->text;
    const bool gathering = !runs_.empty() && runs_.back().first == open_.size();
    if (!gathering &&
        (text.empty() || text.size() + run.size() <= std::max(text.capacity(), kLong)))
        text += run;
    else
        runs_.emplace_back(open_.size(), std::string(run));
}

void DavXmlReader::endTag() {
    if (!runs_.empty() && runs_.back().first == open_.size()) {
        auto first = runs_.end();
        size_t size = open_.back()->text.size();
        while (first != runs_.begin() && std::prev(first)->first == open_.size())
            size += (--first)->second.size();
        std::string joined;
        joined.reserve(size);
        joined += open_.back()->text;
        for (auto it = first; it != runs_.end(); ++it)
            joined += it->second;
        open_.back()->text = std::move(joined);
        runs_.erase(first, runs_.end());
    }
    open_.pop_back();
    scope_.resize(scopeSizes_.back());
    scopeSizes_.pop_back();
}

Status DavXmlReader::finish(DavElement& root) {
    // A syntax error anywhere is told before a prefix left unbound.
    if (!parser_.finish()) {
        const TextPosition at = parser_.errorPosition();
        return Status::failure(FailureKind::Syntax, "", _("the answer is not well-formed XML"),
                               at.line, at.column);
    }
    if (!started_)
        return Status::failure(FailureKind::Syntax, "", _("no XML element in the answer"));
    if (!unbound_.empty())
        return Status::failure(
            FailureKind::Syntax, "",
            fillIn(_("the answer uses the unbound XML prefix \"%s\""), {unbound_}));
    root = std::move(root_);
    return {};
}

Status DavXmlReader::finish(MultiStatus& out) {
    DavElement root;
    if (Status read = finish(root); !read) return read;
    return takeMultiStatus(root, out);
}
