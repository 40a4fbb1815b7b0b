#pragma once

#include "platform/Translate.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class PimDocument;
class Person;

// One entry of a group list: the group's ID and its description.
struct GroupEntry {
    int32_t id = 0;
    std::string desc;
    bool operator==(const GroupEntry&) const = default;
};

// The person list's sort column: "Name" or "Company".
enum class PersonSort { Name = 0, Company = 1 };

// One line of the phone book's person list; its texts live in the PersonRows it came from.
struct PersonRow {
    int32_t id = 0;
    std::string_view name;     // RName
    std::string_view company;  // Company
};

// The lines of a person list. Their texts are kept in one block, so that filling a list of
// a large group makes one allocation instead of one or two per person.
class PersonRows {
public:
    [[nodiscard]] size_t size() const { return lines_.size(); }
    [[nodiscard]] bool empty() const { return lines_.empty(); }
    // Line i, valid while this object lives unchanged.
    [[nodiscard]] PersonRow operator[](size_t i) const;
    [[nodiscard]] PersonRow front() const { return (*this)[0]; }

private:
    friend PersonRows groupPersonRows(const PimDocument&, int32_t, PersonSort);
    struct Line {
        int32_t id;
        size_t nameAt;
        size_t nameSize;
        size_t companyAt;
        size_t companySize;
    };
    std::string text_;
    std::vector<Line> lines_;
};

// The document's groups in the order the group box lists them: alphabetical without
// regard to case (byte order breaks ties), leaving out `exceptId` (0 keeps all).
[[nodiscard]] std::vector<GroupEntry> sortedGroups(const PimDocument& document,
                                                   int32_t exceptId = 0);

// The group the box makes current: `selectedId` while it is listed, else the first
// entry, else -1.
[[nodiscard]] int32_t currentGroupId(const std::vector<GroupEntry>& groups, int32_t selectedId);

// The members of a group, sorted by the column byte for byte (upper case before lower
// case, empty texts first); equal texts keep the document's order.
[[nodiscard]] PersonRows groupPersonRows(const PimDocument& document, int32_t groupId,
                                         PersonSort sort);

// The detail controls of the panel, in the order they are shown.
enum class PersonDetail { HomePhone, WorkPhone, Pager, Fax, CellPhone, EMail, WebPage };
inline constexpr size_t kPersonDetailCount = 7;

// What a detail control shows: the value, or "Not Available" and disabled.
struct DetailText {
    std::string text;
    bool enabled = false;
    bool operator==(const DetailText&) const = default;
};

// The text every empty detail shows.
inline constexpr const char* kNotAvailable = N_("Not Available");

// The detail controls for a person; every one "Not Available" for nullptr. The work phone
// shows its extension after an "x".
[[nodiscard]] std::array<DetailText, kPersonDetailCount> personDetails(const Person* person);

// The stored field a detail control shows (the work phone without its extension).
[[nodiscard]] std::string_view detailField(const Person& person, PersonDetail detail);
