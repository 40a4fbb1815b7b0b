#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class PimDocument;
struct Person;

// One entry of a group list: the group's ID and its description.
struct GroupEntry {
    int32_t id = 0;
    std::string desc;
    bool operator==(const GroupEntry&) const = default;
};

// One line of the phone book's person list.
struct PersonRow {
    int32_t id = 0;
    std::string name;     // RName
    std::string company;  // Company
};

// The person list's sort column: "Name" or "Company".
enum class PersonSort { Name = 0, Company = 1 };

// The document's groups in the order the group box lists them: alphabetical without
// regard to case (byte order breaks ties), leaving out `exceptId` (0 keeps all).
[[nodiscard]] std::vector<GroupEntry> sortedGroups(const PimDocument& document,
                                                   int32_t exceptId = 0);

// The group the box makes current: `selectedId` while it is listed, else the first
// entry, else -1.
[[nodiscard]] int32_t currentGroupId(const std::vector<GroupEntry>& groups, int32_t selectedId);

// The members of a group, sorted by the column byte for byte (upper case before lower
// case, empty texts first); equal texts keep the document's order.
[[nodiscard]] std::vector<PersonRow> groupPersonRows(const PimDocument& document, int32_t groupId,
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
inline constexpr const char* kNotAvailable = "Not Available";

// The detail controls for a person; every one "Not Available" for nullptr. The work phone
// shows its extension after an "x".
[[nodiscard]] std::array<DetailText, kPersonDetailCount> personDetails(const Person* person);

// The stored field a detail control shows (the work phone without its extension).
[[nodiscard]] const std::string& detailField(const Person& person, PersonDetail detail);
