#pragma once

#include <cstdint>
#include <iterator>
#include <limits>
#include <memory>
#include <utility>

#include "records/DocumentEdit.h"
#include "records/RecordStore.h"

// New records numbered as their collection would number them, gathered so that many can
// be added in one edit. Each record is moved once, into the map node the collection
// later takes over as it is.
template <class Record>
class NewRecords {
public:
    // Numbers records from the next identifier of `store`, which must not change while
    // the records are gathered.
    explicit NewRecords(const RecordStore<Record>& store) : next_(store.nextId()) {}

    // Numbers and keeps the record; false, keeping nothing, when no identifier is left.
    bool add(Record&& record) {
        if (next_ == 0) return false;
        record.ID = next_;
        records_.emplace_hint(records_.end(), next_, std::make_shared<Record>(std::move(record)));
        next_ = next_ == std::numeric_limits<int32_t>::max() ? 0 : next_ + 1;
        return true;
    }

    // Numbers and keeps a record with the defaults, for the caller to fill in where it
    // stays; nullptr, keeping nothing, when no identifier is left. dropLast() takes it
    // back as long as no other record was added since.
    [[nodiscard]] Record* addInPlace() {
        if (next_ == 0) return nullptr;
        const auto it = records_.emplace_hint(records_.end(), next_, std::make_shared<Record>());
        it->second->ID = next_;
        next_ = next_ == std::numeric_limits<int32_t>::max() ? 0 : next_ + 1;
        return it->second.get();
    }
    // Takes back the record added last, and its identifier.
    void dropLast() {
        const auto last = std::prev(records_.end());
        next_ = last->first;
        records_.erase(last);
    }

    // The identifier the next record added gets; 0 when none is left.
    [[nodiscard]] int32_t nextId() const { return next_; }
    [[nodiscard]] size_t size() const { return records_.size(); }
    [[nodiscard]] bool empty() const { return records_.empty(); }

    // The edit that stores the records, leaving this empty.
    [[nodiscard]] InsertRecords<Record> edit() {
        const int32_t lastId = records_.empty() ? 0 : records_.rbegin()->first;
        return {std::exchange(records_, {}), lastId};
    }

private:
    typename RecordStore<Record>::Map records_;
    int32_t next_;  // 0 when none is left
};
