#include "organizer/PersonTextIndex.h"

#include <algorithm>

#include "organizer/PersonFilter.h"
#include "records/PimDocument.h"

namespace {

void appendDigits(std::string& out, const std::string& number) {
    for (const char c : number) {
        if (c >= '0' && c <= '9') out.push_back(c);
    }
}

}  // namespace

void PersonTextIndex::build(const PimDocument& document) {
    clear();
    text_.reserve(document.persons().size() * 160);
    starts_.reserve(document.persons().size() + 1);
    for (const auto& [id, person] : document.persons()) {
        starts_.push_back(text_.size());
        const std::string* phones[] = {&person.HmPhone, &person.WkPhone, &person.Pager, &person.Fax,
                                       &person.CelPhone};
        // Line breaks part the fields, so that no match spans two of them: a typed text
        // holds none.
        for (const std::string* field : {&person.RName, &person.Company, &person.EMail}) {
            appendFolded(text_, *field);
            text_.push_back('\n');
        }
        for (const std::string* phone : phones) {
            appendFolded(text_, *phone);
            text_.push_back('\n');
            appendDigits(text_, *phone);
            text_.push_back('\n');
        }
    }
    starts_.push_back(text_.size());
}

void PersonTextIndex::clear() {
    text_.clear();
    starts_.clear();
}

std::vector<char> PersonTextIndex::matchAll(const PersonFilter& filter) const {
    const size_t persons = starts_.empty() ? 0 : starts_.size() - 1;
    std::vector<char> matched(persons, filter.empty() ? 1 : 0);
    if (filter.empty() || persons == 0) return matched;
    const std::string_view text = text_;
    size_t person = 0;
    for (size_t at = text.find(filter.needle()); at != std::string_view::npos;) {
        // The person whose text holds the match; then on to the next person's text.
        while (starts_[person + 1] <= at)
            ++person;
        matched[person] = 1;
        at = text.find(filter.needle(), starts_[person + 1]);
    }
    return matched;
}

bool PersonTextIndex::matches(uint32_t order, const PersonFilter& filter) const {
    if (filter.empty()) return true;
    if (size_t{order} + 1 >= starts_.size()) return false;
    const std::string_view text(text_.data() + starts_[order], starts_[order + 1] - starts_[order]);
    return text.find(filter.needle()) != std::string_view::npos;
}
