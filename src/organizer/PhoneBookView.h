#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "organizer/ListSelection.h"
#include "organizer/PersonFilter.h"
#include "organizer/PersonTextIndex.h"
#include "organizer/PhoneBookRows.h"

class DocumentDoor;
class PimDocument;

// The phone book panel without its widgets: the group box's entries and the current
// group, the listed persons of that group (sorted, narrowed by the filter box) and the
// selected one with its details. Group and person are kept by ID, so they survive every
// refill that still lists them.
class PhoneBookView {
public:
    // The view's commands change the records through `door`.
    explicit PhoneBookView(DocumentDoor& door);

    // Refills the group box, then the person list, from the document.
    void refill();

    // The group box's entries, alphabetical, and the current one (-1 for none).
    [[nodiscard]] const std::vector<GroupEntry>& groups() const { return groups_; }
    [[nodiscard]] int32_t groupId() const { return groupId_; }
    // The user chose a group: its members are listed.
    void chooseGroup(int32_t id);

    [[nodiscard]] PersonSort sort() const { return sort_; }
    // A click on a column header: the list is sorted by it.
    void sortBy(PersonSort sort);

    [[nodiscard]] const std::string& filterText() const { return filterText_; }
    // The filter box changed: only matching members stay listed.
    void setFilter(const std::string& text);

    // Makes what the filter searches, unless it is ready. The first filter after a change
    // does this itself; a window calls it while idle so that the first key is quick too.
    void prepareFilter();

    // The listed persons, top to bottom.
    [[nodiscard]] size_t rowCount() const { return listed_.size(); }
    // Its texts are valid until the next refill.
    [[nodiscard]] PersonRow row(size_t index) const { return groupRows_[listed_[index]]; }

    [[nodiscard]] const ListSelection& selection() const { return selection_; }
    // A row became selected by keyboard or mouse; -1 for none.
    void selectRow(int row);
    // Selects the person when listed (a new one, say); the selection stays otherwise.
    void select(int32_t id);
    // The selected person, or nullptr.
    [[nodiscard]] const Person* selectedPerson() const;
    // What the detail controls show for the selected person.
    [[nodiscard]] std::array<DetailText, kPersonDetailCount> details() const;

    // Removes the selected person; the selection moves to the row before it (to the new
    // first row when the first went). Nothing when none is selected.
    void deleteSelectedPerson();

    // The e-mail addresses of the listed persons that have one, top to bottom.
    [[nodiscard]] std::vector<std::string> listedAddresses() const;

private:
    void fillPersons();
    // Lists the members that pass the filter; only those listed now when `narrowing`.
    void list(bool narrowing);
    void reselect(int32_t id);

    DocumentDoor& door_;
    const PimDocument& document_;
    std::vector<GroupEntry> groups_;
    int32_t groupId_ = -1;
    PersonSort sort_ = PersonSort::Name;
    PersonRows groupRows_;          // every member of the group, sorted
    std::vector<uint32_t> listed_;  // indices into groupRows_
    std::string filterText_;
    PersonFilter filter_;
    PersonTextIndex index_;  // made when a filter is first typed after a change
    ListSelection selection_;
};
