#include "organizer/PhoneBookRows.h"
#include "platform/Translate.h"

#include <algorithm>

#include "organizer/CaseBlind.h"
#include "records/PimDocument.h"

namespace {

// Exact bytes decide between texts that differ only in case, so the order never depends
// on the document's order.
bool caseBlindLess(const std::string& a, const std::string& b) {
    const int order = compareCaseBlind(a, b);
    return order != 0 ? order < 0 : a < b;
}

}  // namespace

std::vector<GroupEntry> sortedGroups(const PimDocument& document, int32_t exceptId) {
    std::vector<GroupEntry> groups;
    groups.reserve(document.phGroups().size());
    for (const auto& [id, group] : document.phGroups()) {
        if (id != exceptId || exceptId == 0) groups.push_back(GroupEntry{id, group.Desc});
    }
    std::stable_sort(groups.begin(), groups.end(), [](const GroupEntry& a, const GroupEntry& b) {
        return caseBlindLess(a.desc, b.desc);
    });
    return groups;
}

int32_t currentGroupId(const std::vector<GroupEntry>& groups, int32_t selectedId) {
    const bool listed = std::any_of(groups.begin(), groups.end(),
                                    [&](const GroupEntry& g) { return g.id == selectedId; });
    if (listed) return selectedId;
    return groups.empty() ? -1 : groups.front().id;
}

PersonRow PersonRows::operator[](size_t i) const {
    const Line& line = lines_[i];
    const std::string_view text = text_;
    return PersonRow{line.id, text.substr(line.nameAt, line.nameSize),
                     text.substr(line.companyAt, line.companySize)};
}

PersonRows groupPersonRows(const PimDocument& document, int32_t groupId, PersonSort sort) {
    PersonRows rows;
    std::vector<PersonRows::Line> members;
    for (const auto& [id, person] : document.persons()) {
        const auto& groups = person.PhGroups;
        if (std::find(groups.begin(), groups.end(), groupId) == groups.end()) continue;
        const size_t at = rows.text_.size();
        rows.text_.append(person.RName()).append(person.Company());
        members.push_back(PersonRows::Line{id, at, person.RName().size(),
                                           at + person.RName().size(), person.Company().size()});
    }
    // Sorting small keys is several times faster than sorting the lines: the first eight
    // bytes, big-endian, settle most comparisons without reading the texts. Byte order
    // throughout; the index keeps equal texts in document order.
    struct Key {
        uint64_t prefix;
        uint32_t index;
    };
    const std::string_view text = rows.text_;
    const auto textOf = [&](uint32_t i) {
        const PersonRows::Line& line = members[i];
        return sort == PersonSort::Name ? text.substr(line.nameAt, line.nameSize)
                                        : text.substr(line.companyAt, line.companySize);
    };
    std::vector<Key> keys;
    keys.reserve(members.size());
    for (uint32_t i = 0; i < members.size(); ++i) {
        const std::string_view key = textOf(i);
        uint64_t prefix = 0;
        for (size_t b = 0; b < 8; ++b)
            prefix = prefix << 8 | (b < key.size() ? static_cast<unsigned char>(key[b]) : 0u);
        keys.push_back(Key{prefix, i});
    }
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        const int order = textOf(a.index).compare(textOf(b.index));
        return order != 0 ? order < 0 : a.index < b.index;
    });
    rows.lines_.reserve(members.size());
    for (const Key& key : keys)
        rows.lines_.push_back(members[key.index]);
    return rows;
}

std::string_view detailField(const Person& person, PersonDetail detail) {
    switch (detail) {
        case PersonDetail::HomePhone:
            return person.HmPhone();
        case PersonDetail::WorkPhone:
            return person.WkPhone();
        case PersonDetail::Pager:
            return person.Pager();
        case PersonDetail::Fax:
            return person.Fax();
        case PersonDetail::CellPhone:
            return person.CelPhone();
        case PersonDetail::EMail:
            return person.EMail();
        case PersonDetail::WebPage:
            break;
    }
    return person.WebPage();
}

std::array<DetailText, kPersonDetailCount> personDetails(const Person* person) {
    std::array<DetailText, kPersonDetailCount> details;
    for (size_t i = 0; i < kPersonDetailCount; ++i) {
        const auto detail = static_cast<PersonDetail>(i);
        const std::string_view value = person ? detailField(*person, detail) : std::string_view();
        if (value.empty()) {
            details[i] = DetailText{_(kNotAvailable), false};
        } else if (detail == PersonDetail::WorkPhone && !person->WkExt().empty()) {
            details[i] = DetailText{std::string(value).append("x").append(person->WkExt()), true};
        } else {
            details[i] = DetailText{std::string(value), true};
        }
    }
    return details;
}
