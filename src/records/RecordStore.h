#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <utility>

// Records of one kind keyed by ID, walked in ascending ID, with the LastID counter
// that hands out new identifiers. The store never touches the document's modified flag.
//
// Copies share their records: copying a store costs one pointer, and a change after a
// copy takes a private index and a private record for what it changes, never touching what
// the copy sees. So a copy can be handed to another thread and read there while this one
// goes on changing (the other thread only reads and drops its copy).
template <class Record>
class RecordStore {
public:
    using Held = std::shared_ptr<Record>;
    using Map = std::map<int32_t, Held>;

    // Walks the records as pairs of ID and record, as a map of records would.
    class Iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using difference_type = std::ptrdiff_t;
        using value_type = std::pair<int32_t, const Record&>;
        using reference = value_type;
        struct pointer {
            value_type entry;
            const value_type* operator->() const { return &entry; }
        };

        Iterator() = default;
        explicit Iterator(typename Map::const_iterator at) : at_(at) {}
        reference operator*() const { return {at_->first, *at_->second}; }
        pointer operator->() const { return {**this}; }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        Iterator operator++(int) { return Iterator(at_++); }
        Iterator& operator--() {
            --at_;
            return *this;
        }
        Iterator operator--(int) { return Iterator(at_--); }
        bool operator==(const Iterator&) const = default;

    private:
        typename Map::const_iterator at_;
    };

    RecordStore() = default;
    RecordStore(const RecordStore&) = default;
    RecordStore(RecordStore&&) noexcept = default;
    RecordStore& operator=(const RecordStore&) = default;
    RecordStore& operator=(RecordStore&&) noexcept = default;

    [[nodiscard]] Iterator begin() const { return Iterator(map().begin()); }
    [[nodiscard]] Iterator end() const { return Iterator(map().end()); }
    [[nodiscard]] auto rbegin() const { return std::make_reverse_iterator(end()); }
    [[nodiscard]] auto rend() const { return std::make_reverse_iterator(begin()); }
    [[nodiscard]] size_t size() const { return map().size(); }
    [[nodiscard]] bool empty() const { return map().empty(); }

    // The record stored under `id`, or nullptr.
    [[nodiscard]] const Record* find(int32_t id) const {
        const auto it = map().find(id);
        return it == map().end() ? nullptr : it->second.get();
    }
    [[nodiscard]] bool contains(int32_t id) const { return map().count(id) != 0; }
    // Whether both hold the very same record under `id`, as a copy does until one of
    // them changes it.
    [[nodiscard]] bool shares(const RecordStore& other, int32_t id) const {
        const auto it = map().find(id);
        const auto theirs = other.map().find(id);
        return it != map().end() && theirs != other.map().end() && it->second == theirs->second;
    }

    [[nodiscard]] int32_t lastId() const { return lastId_; }
    void setLastId(int32_t lastId) { lastId_ = lastId; }

    // Inserts under the record's own ID; a taken ID leaves the store unchanged (false).
    bool insert(const Record& record) {
        if (contains(record.ID)) return false;
        return own().emplace(record.ID, std::make_shared<Record>(record)).second;
    }
    // The same for a record that is not needed any more; on success returns the stored
    // record, else nullptr with `record` untouched. Files list records in ascending ID,
    // which this inserts without searching.
    const Record* insertLoaded(Record&& record) {
        Map& records = own();
        const int32_t id = record.ID;
        if (records.empty() || records.rbegin()->first < id) {
            const auto it = records.emplace_hint(records.end(), id,
                                                 std::make_shared<Record>(std::move(record)));
            return it->second.get();
        }
        if (records.count(id) != 0) return nullptr;
        return records.emplace(id, std::make_shared<Record>(std::move(record))).first->second.get();
    }

    // The identifier the next new record gets: above LastID and above every stored ID, so
    // that a file with a stale LastID cannot make an added record vanish; 0 when the
    // identifiers have run out.
    [[nodiscard]] int32_t nextId() const {
        int64_t next = int64_t{lastId_} + 1;
        if (!empty()) next = std::max(next, int64_t{map().rbegin()->first} + 1);
        return next > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(next);
    }

    // Gives the record the next identifier, stores it and returns the identifier; 0,
    // storing nothing, when the identifiers have run out.
    int32_t addNew(Record record) {
        const int32_t id = nextId();
        if (id == 0) return 0;
        record.ID = id;
        Held held = std::make_shared<Record>(std::move(record));
        Map& records = own();
        records.emplace_hint(records.end(), id, std::move(held));
        lastId_ = id;
        return id;
    }

    // Exchanges `record` with the stored record of the same ID; false when there is none.
    bool swap(Record& record) {
        if (!contains(record.ID)) return false;
        const auto it = own().find(record.ID);
        if (alone(it->second)) {
            std::swap(*it->second, record);
        } else {
            // A copy still reads the stored record: this store takes one of its own.
            Held changed = std::make_shared<Record>(std::move(record));
            record = *it->second;
            it->second = std::move(changed);
        }
        return true;
    }

    // Removes the record with that ID and hands over the node holding it; an empty node
    // when there is none.
    typename Map::node_type extract(int32_t id) {
        if (!contains(id)) return {};
        return own().extract(id);
    }

    // Takes over a node made by another map of records; false, leaving the node as it
    // was, when its ID is taken. Nodes in ascending ID are taken without searching.
    bool adopt(typename Map::node_type& node) {
        Map& records = own();
        if (records.empty() || records.rbegin()->first < node.key()) {
            records.insert(records.end(), std::move(node));
            return true;
        }
        return records.insert(std::move(node)).inserted;
    }

    // Takes over every record of `records`, leaving it empty, when the store is empty;
    // false, changing neither, when it is not.
    bool adoptAll(Map& records) {
        if (!empty()) return false;
        auto taken = std::make_shared<Map>();
        taken->swap(records);
        index_ = std::move(taken);
        return true;
    }

    // Removes the record with that ID; false when there is none.
    bool erase(int32_t id) { return contains(id) && own().erase(id) != 0; }

    // Equal when both hold equal records under the same IDs and the same LastID.
    bool operator==(const RecordStore& other) const {
        if (lastId_ != other.lastId_ || size() != other.size()) return false;
        if (index_ == other.index_) return true;
        return std::equal(
            map().begin(), map().end(), other.map().begin(), [](const auto& a, const auto& b) {
                return a.first == b.first && (a.second == b.second || *a.second == *b.second);
            });
    }

    // Empties the store and resets LastID to 0.
    void clear() {
        index_.reset();
        lastId_ = 0;
    }

private:
    [[nodiscard]] const Map& map() const {
        static const Map none;
        return index_ ? *index_ : none;
    }

    // Whether nothing but this store holds `held`. A copy on another thread only ever lets
    // go of what it holds; the fence orders its last reads before the change that follows.
    [[nodiscard]] static bool alone(const auto& held) {
        if (held.use_count() != 1) return false;
        std::atomic_thread_fence(std::memory_order_acquire);
        return true;
    }

    // The index to change, taken for this store alone first while a copy shares it.
    Map& own() {
        if (!index_)
            index_ = std::make_shared<Map>();
        else if (!alone(index_))
            index_ = std::make_shared<Map>(*index_);
        return *index_;
    }

    std::shared_ptr<Map> index_;  // null until the first record comes
    int32_t lastId_ = 0;
};
