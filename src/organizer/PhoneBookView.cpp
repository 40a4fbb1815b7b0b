#include "organizer/PhoneBookView.h"

#include <algorithm>

#include "records/DocumentDoor.h"

PhoneBookView::PhoneBookView(DocumentDoor& door) : door_(door), document_(door.document()) {}

void PhoneBookView::refill() {
    index_.clear();
    groups_ = sortedGroups(document_);
    groupId_ = currentGroupId(groups_, groupId_);
    fillPersons();
}

void PhoneBookView::chooseGroup(int32_t id) {
    groupId_ = id;
    fillPersons();
}

void PhoneBookView::sortBy(PersonSort sort) {
    sort_ = sort;
    fillPersons();
}

void PhoneBookView::setFilter(const std::string& text) {
    PersonFilter filter(text);
    const bool narrowing = filter.narrows(filter_);
    filterText_ = text;
    filter_ = std::move(filter);
    const int32_t id = selection_.id;
    list(narrowing);
    reselect(id);
}

void PhoneBookView::fillPersons() {
    const int32_t id = selection_.id;
    groupRows_ = groupPersonRows(document_, groupId_, sort_);
    list(false);
    reselect(id);
}

void PhoneBookView::list(bool narrowing) {
    if (filter_.empty()) {
        listed_.resize(groupRows_.size());
        for (uint32_t i = 0; i < listed_.size(); ++i)
            listed_[i] = i;
        return;
    }
    prepareFilter();
    std::vector<uint32_t> listed;
    // Looking at a few listed persons beats a pass over the whole text; for many, the pass
    // wins, as it reads the text in order.
    if (narrowing && listed_.size() < document_.persons().size() / 8) {
        for (const uint32_t i : listed_) {
            if (index_.matches(groupRows_[i].id, filter_)) listed.push_back(i);
        }
    } else {
        const std::vector<int32_t> matched = index_.matchAll(filter_);
        for (uint32_t i = 0; i < groupRows_.size(); ++i) {
            if (std::binary_search(matched.begin(), matched.end(), groupRows_[i].id))
                listed.push_back(i);
        }
    }
    listed_ = std::move(listed);
}

void PhoneBookView::prepareFilter() {
    if (!index_.built()) index_.build(document_);
}

void PhoneBookView::reselect(int32_t id) {
    selection_ = {};
    if (id == -1) return;
    for (size_t row = 0; row < listed_.size(); ++row) {
        if (groupRows_[listed_[row]].id == id) {
            selection_ = ListSelection{id, static_cast<int>(row)};
            return;
        }
    }
}

void PhoneBookView::select(int32_t id) {
    const ListSelection before = selection_;
    reselect(id);
    if (selection_.id == -1) selection_ = before;
}

void PhoneBookView::selectRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= listed_.size())
        selection_ = {};
    else
        selection_ = ListSelection{this->row(static_cast<size_t>(row)).id, row};
}

const Person* PhoneBookView::selectedPerson() const {
    return selection_.id == -1 ? nullptr : document_.persons().find(selection_.id);
}

std::array<DetailText, kPersonDetailCount> PhoneBookView::details() const {
    return personDetails(selectedPerson());
}

void PhoneBookView::deleteSelectedPerson() {
    if (selection_.id == -1) return;
    const int32_t id = selection_.id;
    selection_ = selectionAfterRemoving(listed_.size(), selection_.row,
                                        [this](size_t i) { return row(i).id; });
    index_.clear();
    door_.runStep(UndoStep::DeletePerson,
                  [id](PimDocument& document) { document.remove<Person>(id); });
}

std::vector<std::string> PhoneBookView::listedAddresses() const {
    std::vector<std::string> addresses;
    for (const uint32_t i : listed_) {
        const Person* person = document_.persons().find(groupRows_[i].id);
        if (person != nullptr && !person->EMail().empty()) addresses.emplace_back(person->EMail());
    }
    return addresses;
}
