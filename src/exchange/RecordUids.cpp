#include "exchange/RecordUids.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "fileio/TextEncoding.h"
#include "records/PimDocument.h"
#include "records/SecondsConverter.h"

namespace {

// FNV-1a over the record's text and the instant of its time.
uint64_t hashOf(std::string_view text, int64_t instant) {
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&](unsigned char byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (const char c : text)
        mix(static_cast<unsigned char>(c));
    for (int i = 0; i < 8; ++i)
        mix(static_cast<unsigned char>(uint64_t(instant) >> (8 * i)));
    return hash;
}

template <class Record>
bool lacks(const RecordStore<Record>& store) {
    for (const auto& [id, record] : store) {
        if (record.uid.empty()) return true;
    }
    return false;
}

template <class Record>
size_t give(const RecordStore<Record>& store, UidMaker& maker, EditSequence& sequence) {
    std::vector<Record> given;
    for (const auto& [id, record] : store) {
        if (!record.uid.empty()) continue;
        given.push_back(record);
        given.back().uid = maker.of(record);
    }
    const size_t count = given.size();
    if (count != 0)
        sequence.edits.push_back(RecordEdit<Record>(ReplaceRecords<Record>{std::move(given)}));
    return count;
}

// What a value of a card or calendar drops, and a line break, which no UID holds.
bool droppedFromUid(char c) {
    return isStrayControl(c) || c == '\r' || c == '\n';
}

// Below, at or above zero as keptUid(a) is before, the same as or after keptUid(b).
int compareKept(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (true) {
        while (i < a.size() && droppedFromUid(a[i]))
            ++i;
        while (j < b.size() && droppedFromUid(b[j]))
            ++j;
        if (i == a.size() || j == b.size()) return int(j == b.size()) - int(i == a.size());
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
}

}  // namespace

std::string keptUid(std::string written) {
    std::erase_if(written, droppedFromUid);
    return written;
}

bool KeptUidOrder::operator()(std::string_view a, std::string_view b) const {
    return compareKept(a, b) < 0;
}

bool sameKeptUid(std::string_view a, std::string_view b) {
    return compareKept(a, b) == 0;
}

std::string UidMaker::made(const char* kind, int32_t id, std::string_view text, DateTime time) {
    static constexpr char kHex[] = "0123456789abcdef";
    // The instant the document stores, which no time zone moves.
    const uint64_t hash = hashOf(text, seconds_.toSeconds(time));
    std::string uid = kind;
    uid += '-';
    uid += std::to_string(id);
    uid += '-';
    for (int shift = 60; shift >= 0; shift -= 4)
        uid += kHex[(hash >> shift) & 0xF];
    uid += "@quillmate";
    return uid;
}

std::string UidMaker::of(const Person& p) {
    if (!p.uid.empty()) return p.uid;
    std::string text(p.FName());
    text += '\n';
    text += p.LName();
    text += '\n';
    text += p.Company();
    return made("person", p.ID, text, DateTime());
}

std::string UidMaker::of(const Task& t) {
    return t.uid.empty() ? made("task", t.ID, t.Description, t.DueDate) : t.uid;
}

std::string UidMaker::of(const Appointment& a) {
    return a.uid.empty() ? made("appointment", a.ID, a.Description, a.StartTime) : a.uid;
}

bool lacksUids(const PimDocument& document, UidKinds kinds) {
    return (kinds.persons && lacks(document.persons())) ||
           (kinds.appointments && lacks(document.appointments())) ||
           (kinds.tasks && lacks(document.tasks()));
}

size_t giveUids(PimDocument& document, UidKinds kinds) {
    UidMaker maker;
    EditSequence sequence;
    size_t count = 0;
    if (kinds.persons) count += give(document.persons(), maker, sequence);
    if (kinds.appointments) count += give(document.appointments(), maker, sequence);
    if (kinds.tasks) count += give(document.tasks(), maker, sequence);
    if (sequence.edits.size() == 1)
        document.apply(std::move(sequence.edits.front()));
    else if (!sequence.edits.empty())
        document.apply(std::move(sequence));
    return count;
}
