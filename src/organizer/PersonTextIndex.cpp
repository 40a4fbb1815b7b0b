#include "organizer/PersonTextIndex.h"

#include <algorithm>

#include "organizer/PersonFilter.h"
#include "records/PimDocument.h"

void PersonTextIndex::build(const PimDocument& document) {
    clear();
    text_.reserve(document.persons().size() * 160);
    ids_.reserve(document.persons().size());
    starts_.reserve(document.persons().size() + 1);
    for (const auto& [id, person] : document.persons()) {
        ids_.push_back(id);
        starts_.push_back(text_.size());
        // NULs part the fields, so that no match spans two of them: no typed text holds one.
        for (const PersonText field : {PersonText::RName, PersonText::Company, PersonText::EMail}) {
            appendFolded(text_, person.text(field));
            text_.push_back('\0');
        }
        for (const PersonText phone : {PersonText::HmPhone, PersonText::WkPhone, PersonText::Pager,
                                       PersonText::Fax, PersonText::CelPhone}) {
            appendFolded(text_, person.text(phone));
            text_.push_back('\0');
            appendNumberDigits(text_, person.text(phone));
            text_.push_back('\0');
        }
    }
    starts_.push_back(text_.size());
}

void PersonTextIndex::clear() {
    text_.clear();
    ids_.clear();
    starts_.clear();
}

std::vector<int32_t> PersonTextIndex::matchAll(const PersonFilter& filter) const {
    if (filter.empty()) return ids_;
    std::vector<int32_t> matched;
    const std::string_view text = text_;
    size_t person = 0;
    for (size_t at = text.find(filter.needle()); at != std::string_view::npos;) {
        // The person whose text holds the match; then on to the next person's text.
        while (starts_[person + 1] <= at)
            ++person;
        matched.push_back(ids_[person]);
        at = text.find(filter.needle(), starts_[person + 1]);
    }
    return matched;
}

bool PersonTextIndex::matches(int32_t id, const PersonFilter& filter) const {
    const auto it = std::lower_bound(ids_.begin(), ids_.end(), id);
    if (it == ids_.end() || *it != id) return false;
    if (filter.empty()) return true;
    const auto person = static_cast<size_t>(it - ids_.begin());
    const std::string_view text(text_.data() + starts_[person],
                                starts_[person + 1] - starts_[person]);
    return text.find(filter.needle()) != std::string_view::npos;
}
