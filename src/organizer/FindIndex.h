#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "records/Appointment.h"
#include "records/Person.h"
#include "records/RecordStore.h"
#include "records/Task.h"

class PimDocument;

// The kinds of record a search finds, in the order its results list them.
enum class FoundKind : uint8_t { Person, Appointment, Task };
inline constexpr size_t kFoundKindCount = 3;
// Which kinds a search looks through.
using FoundKinds = std::bitset<kFoundKindCount>;
inline const FoundKinds kEveryKind = FoundKinds().set();

// A record a search found: which one, and which of its texts holds what was looked for.
struct FoundRecord {
    FoundKind kind = FoundKind::Person;
    int32_t id = 0;
    uint32_t entry = 0;  // its place in the index that found it
    uint16_t part = 0;   // the text holding the match; see personPart and changedPart
    bool operator==(const FoundRecord&) const = default;
};

// What part `part` of a person is: one of its texts, or the digits alone of a phone number.
struct PersonPart {
    PersonText field = PersonText::FName;
    bool digits = false;
};
[[nodiscard]] PersonPart personPart(uint16_t part);
// Which changed occurrence of an appointment part `part` is the description of; -1 for the
// appointment's own description (part 0).
[[nodiscard]] int changedPart(uint16_t part);

// The texts of every person, appointment and task of a document in one block, folded as
// the phone book's filter folds them (with the digits of phone numbers alone besides), so
// that a search is one pass over contiguous memory instead of a visit to every record.
// Persons come first, then appointments, then tasks, each in ascending ID.
//
// Made a step at a time, so that a window stays responsive while a large document is
// indexed; a step after the document changed starts over. Always asked about the same
// document.
class FindIndex {
public:
    // Indexes more records, until the text has grown by at least `bytes` or every record
    // is in; true once every record is in and the document has not changed since.
    bool buildSome(const PimDocument& document, size_t bytes);
    // Indexes the whole document.
    void build(const PimDocument& document);
    // Whether every record of the document as it is now is in.
    [[nodiscard]] bool ready(const PimDocument& document) const;
    // Forgets the text and lets its memory go.
    void clear();
    // Counts the builds begun, so that results found in an earlier one can be told apart.
    [[nodiscard]] uint64_t generation() const { return generation_; }

    // The folded texts, every record's ending in a NUL; so does every text within one.
    [[nodiscard]] std::string_view text() const { return text_; }
    // The records indexed, and those of one kind as the entries from `first` to `last`.
    [[nodiscard]] size_t entries() const { return ids_.size(); }
    struct Range {
        uint32_t first = 0;
        uint32_t last = 0;
    };
    [[nodiscard]] Range range(FoundKind kind) const;
    // The kind and the ID of an entry's record.
    [[nodiscard]] FoundKind kindOf(uint32_t entry) const;
    [[nodiscard]] int32_t idOf(uint32_t entry) const { return ids_[entry]; }
    // Where an entry's text starts in text(); start(entries()) is the end.
    [[nodiscard]] size_t start(uint32_t entry) const { return starts_[entry]; }
    // The entry whose text holds the byte at `offset`.
    [[nodiscard]] uint32_t entryAt(size_t offset) const;
    // The record found at `offset` of text(), inside the text of `entry`.
    [[nodiscard]] FoundRecord foundAt(uint32_t entry, size_t offset) const;

private:
    // Forgets the text, keeping its memory for the next build.
    void restart();
    void add(int32_t id, const Person& person);
    void add(int32_t id, const Appointment& appointment);
    void add(int32_t id, const Task& task);
    void finishKind();

    std::string text_;
    std::vector<int32_t> ids_;
    std::vector<size_t> starts_;  // of each entry, then the end once built
    std::array<uint32_t, kFoundKindCount + 1> kindStarts_{};
    // Where the build goes on: the kind, and the next record of it. The iterators stay
    // valid while the revision does, as every change of a record tells the views.
    size_t building_ = 0;
    RecordStore<Person>::Iterator nextPerson_;
    RecordStore<Appointment>::Iterator nextAppointment_;
    RecordStore<Task>::Iterator nextTask_;
    bool started_ = false;
    uint64_t revision_ = 0;
    uint64_t generation_ = 0;
};
