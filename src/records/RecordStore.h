#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>

// Records of one kind keyed by ID, walked in ascending ID, with the LastID counter
// that hands out new identifiers. The store never touches the document's modified flag.
template <class Record>
class RecordStore {
public:
    using Map = std::map<int32_t, Record>;

    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }
    auto rbegin() const { return records_.rbegin(); }
    auto rend() const { return records_.rend(); }
    [[nodiscard]] size_t size() const { return records_.size(); }
    [[nodiscard]] bool empty() const { return records_.empty(); }

    // The record stored under `id`, or nullptr.
    [[nodiscard]] const Record* find(int32_t id) const {
        const auto it = records_.find(id);
        return it == records_.end() ? nullptr : &it->second;
    }
    [[nodiscard]] bool contains(int32_t id) const { return records_.count(id) != 0; }

    [[nodiscard]] int32_t lastId() const { return lastId_; }
    void setLastId(int32_t lastId) { lastId_ = lastId; }

    // Inserts under the record's own ID; a taken ID leaves the store unchanged (false).
    bool insert(const Record& record) { return records_.emplace(record.ID, record).second; }
    // The same for a record that is not needed any more; on success returns the stored
    // record, else nullptr with `record` untouched. Files list records in ascending ID,
    // which this inserts without searching.
    const Record* insertLoaded(Record&& record) {
        if (records_.empty() || records_.rbegin()->first < record.ID) {
            const auto it = records_.emplace_hint(records_.end(), record.ID, std::move(record));
            return &it->second;
        }
        if (records_.count(record.ID) != 0) return nullptr;
        return &records_.emplace(record.ID, std::move(record)).first->second;
    }

    // The identifier the next new record gets: above LastID and above every stored ID, so
    // that a file with a stale LastID cannot make an added record vanish; 0 when the
    // identifiers have run out.
    [[nodiscard]] int32_t nextId() const {
        int64_t next = int64_t{lastId_} + 1;
        if (!records_.empty()) next = std::max(next, int64_t{records_.rbegin()->first} + 1);
        return next > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(next);
    }

    // Gives the record the next identifier, stores it and returns the identifier; 0,
    // storing nothing, when the identifiers have run out.
    int32_t addNew(Record record) {
        const int32_t id = nextId();
        if (id == 0) return 0;
        lastId_ = id;
        record.ID = id;
        records_.emplace_hint(records_.end(), id, std::move(record));
        return id;
    }

    // Exchanges `record` with the stored record of the same ID; false when there is none.
    bool swap(Record& record) {
        const auto it = records_.find(record.ID);
        if (it == records_.end()) return false;
        std::swap(it->second, record);
        return true;
    }

    // Removes the record with that ID and hands over the node holding it; an empty node
    // when there is none.
    typename Map::node_type extract(int32_t id) { return records_.extract(id); }

    // Takes over a node made by another map of records; false, leaving the node as it
    // was, when its ID is taken. Nodes in ascending ID are taken without searching.
    bool adopt(typename Map::node_type& node) {
        if (records_.empty() || records_.rbegin()->first < node.key()) {
            records_.insert(records_.end(), std::move(node));
            return true;
        }
        return records_.insert(std::move(node)).inserted;
    }

    // Takes over every record of `records`, leaving it empty, when the store is empty;
    // false, changing neither, when it is not.
    bool adoptAll(Map& records) {
        if (!records_.empty()) return false;
        records_.swap(records);
        return true;
    }

    // Removes the record with that ID; false when there is none.
    bool erase(int32_t id) { return records_.erase(id) != 0; }

    bool operator==(const RecordStore&) const = default;

    // Empties the store and resets LastID to 0.
    void clear() {
        records_.clear();
        lastId_ = 0;
    }

private:
    Map records_;
    int32_t lastId_ = 0;
};
