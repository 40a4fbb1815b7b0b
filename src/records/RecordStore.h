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
// Copies share their records: the index is cut into buckets of up to 1024 IDs, so copying
// a store copies one pointer per bucket, and a change after a copy takes a private bucket
// and a private record for what it changes, never touching what the copy sees. So a copy
// can be handed to another thread and read there while this one goes on changing (the
// other thread only reads and drops its copy, or changes a copy of its own).
//
// As with a map, a walk stays valid while other records are added or removed, but not past
// a change made after a copy was taken since the walk began.
template <class Record>
class RecordStore {
public:
    using Held = std::shared_ptr<Record>;
    // One bucket; also how edits carry records, in nodes the store takes over as they are.
    using Map = std::map<int32_t, Held>;

private:
    using Buckets = std::map<int32_t, std::shared_ptr<Map>>;
    static constexpr int kBucketBits = 10;
    // Ordered as the IDs are, negative ones too.
    [[nodiscard]] static int32_t bucketOf(int32_t id) { return id >> kBucketBits; }

public:
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
        Iterator(typename Buckets::const_iterator at, typename Buckets::const_iterator end)
            : outer_(at), outerEnd_(end) {
            enterForward();
        }
        reference operator*() const { return {inner_->first, *inner_->second}; }
        pointer operator->() const { return {**this}; }
        Iterator& operator++() {
            if (++inner_ == bucket_->end()) {
                ++outer_;
                enterForward();
            }
            return *this;
        }
        Iterator operator++(int) {
            Iterator was = *this;
            ++*this;
            return was;
        }
        Iterator& operator--() {
            if (outer_ != outerEnd_ && inner_ != bucket_->begin()) {
                --inner_;
                return *this;
            }
            do {
                --outer_;
            } while (outer_->second->empty());
            bucket_ = outer_->second.get();
            inner_ = std::prev(bucket_->end());
            return *this;
        }
        Iterator operator--(int) {
            Iterator was = *this;
            --*this;
            return was;
        }
        bool operator==(const Iterator& other) const {
            return outer_ == other.outer_ && (outer_ == outerEnd_ || inner_ == other.inner_);
        }

    private:
        // The first record from the bucket at `outer_` on. A bucket is walked to the end
        // it had when the walk entered it.
        void enterForward() {
            while (outer_ != outerEnd_ && outer_->second->empty())
                ++outer_;
            if (outer_ == outerEnd_) return;
            bucket_ = outer_->second.get();
            inner_ = bucket_->begin();
        }

        typename Buckets::const_iterator outer_, outerEnd_;
        const Map* bucket_ = nullptr;
        typename Map::const_iterator inner_;
    };

    RecordStore() = default;
    RecordStore(const RecordStore&) = default;
    RecordStore& operator=(const RecordStore&) = default;
    RecordStore(RecordStore&& other) noexcept
        : buckets_(std::move(other.buckets_)),
          size_(std::exchange(other.size_, 0)),
          lastId_(other.lastId_) {}
    RecordStore& operator=(RecordStore&& other) noexcept {
        if (this == &other) return *this;
        buckets_ = std::move(other.buckets_);
        other.buckets_.clear();
        size_ = std::exchange(other.size_, 0);
        lastId_ = other.lastId_;
        return *this;
    }

    [[nodiscard]] Iterator begin() const { return Iterator(buckets_.begin(), buckets_.end()); }
    [[nodiscard]] Iterator end() const { return Iterator(buckets_.end(), buckets_.end()); }
    [[nodiscard]] auto rbegin() const { return std::make_reverse_iterator(end()); }
    [[nodiscard]] auto rend() const { return std::make_reverse_iterator(begin()); }
    [[nodiscard]] size_t size() const { return size_; }
    [[nodiscard]] bool empty() const { return size_ == 0; }

    // The record stored under `id`, or nullptr.
    [[nodiscard]] const Record* find(int32_t id) const {
        const Held* held = lookUp(id);
        return held == nullptr ? nullptr : held->get();
    }
    [[nodiscard]] bool contains(int32_t id) const { return lookUp(id) != nullptr; }
    // Whether both hold the very same record under `id`, as a copy does until one of
    // them changes it.
    [[nodiscard]] bool shares(const RecordStore& other, int32_t id) const {
        const Held* mine = lookUp(id);
        const Held* theirs = other.lookUp(id);
        return mine != nullptr && theirs != nullptr && *mine == *theirs;
    }

    [[nodiscard]] int32_t lastId() const { return lastId_; }
    void setLastId(int32_t lastId) { lastId_ = lastId; }

    // Inserts under the record's own ID; a taken ID leaves the store unchanged (false).
    bool insert(const Record& record) {
        if (contains(record.ID)) return false;
        put(record.ID, std::make_shared<Record>(record));
        return true;
    }
    // The same for a record that is not needed any more; on success returns the stored
    // record, else nullptr with `record` untouched. Files list records in ascending ID,
    // which this inserts without searching.
    const Record* insertLoaded(Record&& record) {
        const int32_t id = record.ID;
        if (!buckets_.empty()) {
            // The common case: after the last record, in the last bucket.
            const auto& [key, last] = *buckets_.rbegin();
            if (key == bucketOf(id) && !last->empty() && last->rbegin()->first < id &&
                alone(last)) {
                const auto it = last->emplace_hint(last->end(), id,
                                                   std::make_shared<Record>(std::move(record)));
                ++size_;
                return it->second.get();
            }
        }
        if (contains(id)) return nullptr;
        return put(id, std::make_shared<Record>(std::move(record)));
    }

    // The identifier the next new record gets: above LastID and above every stored ID, so
    // that a file with a stale LastID cannot make an added record vanish; 0 when the
    // identifiers have run out.
    [[nodiscard]] int32_t nextId() const {
        int64_t next = int64_t{lastId_} + 1;
        if (!empty()) next = std::max(next, int64_t{(*rbegin()).first} + 1);
        return next > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(next);
    }

    // Gives the record the next identifier, stores it and returns the identifier; 0,
    // storing nothing, when the identifiers have run out.
    int32_t addNew(Record record) {
        const int32_t id = nextId();
        if (id == 0) return 0;
        record.ID = id;
        put(id, std::make_shared<Record>(std::move(record)));
        lastId_ = id;
        return id;
    }

    // Exchanges `record` with the stored record of the same ID; false when there is none.
    // Where no copy shares the stored record it changes in place, so that a pointer to it
    // stays valid.
    bool swap(Record& record) {
        if (!contains(record.ID)) return false;
        Held& held = own(record.ID).find(record.ID)->second;
        if (alone(held)) {
            std::swap(*held, record);
        } else {
            Record old = *held;
            held = std::make_shared<Record>(std::move(record));
            record = std::move(old);
        }
        return true;
    }

    // Removes the record with that ID and hands over the node holding it; an empty node
    // when there is none.
    typename Map::node_type extract(int32_t id) {
        if (!contains(id)) return {};
        auto node = own(id).extract(id);
        --size_;
        return node;
    }

    // Takes over a node made by another map of records; false, leaving the node as it
    // was, when its ID is taken. Nodes in ascending ID are taken without searching.
    bool adopt(typename Map::node_type& node) {
        if (contains(node.key())) return false;
        Map& bucket = own(node.key());
        const auto hint =
            bucket.empty() || bucket.rbegin()->first < node.key() ? bucket.end() : bucket.begin();
        bucket.insert(hint, std::move(node));
        ++size_;
        return true;
    }

    // Takes over every record of `records`, leaving it empty, when the store is empty;
    // false, changing neither, when it is not.
    bool adoptAll(Map& records) {
        if (!empty()) return false;
        Buckets taken;
        const size_t count = records.size();
        try {
            while (!records.empty()) {
                const int32_t key = bucketOf(records.begin()->first);
                if (taken.empty() || taken.rbegin()->first != key)
                    taken.emplace_hint(taken.end(), key, std::make_shared<Map>());
                // Moving a node needs no memory: nothing is lost if the next bucket fails.
                Map& bucket = *taken.rbegin()->second;
                bucket.insert(bucket.end(), records.extract(records.begin()));
            }
        } catch (...) {
            // Out of memory: every record goes back where it came from.
            for (auto& [key, bucket] : taken) {
                while (!bucket->empty())
                    records.insert(bucket->extract(bucket->begin()));
            }
            throw;
        }
        buckets_.swap(taken);
        size_ = count;
        return true;
    }

    // Removes the record with that ID; false when there is none.
    bool erase(int32_t id) { return !extract(id).empty(); }

    // Equal when both hold equal records under the same IDs and the same LastID.
    bool operator==(const RecordStore& other) const {
        if (lastId_ != other.lastId_ || size_ != other.size_) return false;
        return std::equal(begin(), end(), other.begin(), [](const auto& a, const auto& b) {
            return a.first == b.first && (&a.second == &b.second || a.second == b.second);
        });
    }

    // Empties the store and resets LastID to 0.
    void clear() {
        buckets_.clear();
        size_ = 0;
        lastId_ = 0;
    }

private:
    [[nodiscard]] const Held* lookUp(int32_t id) const {
        const auto bucket = buckets_.find(bucketOf(id));
        if (bucket == buckets_.end()) return nullptr;
        const auto it = bucket->second->find(id);
        return it == bucket->second->end() ? nullptr : &it->second;
    }

    // Whether nothing but this store holds `held`. A copy on another thread only ever lets
    // go of what this store shares with it; the fence orders its last reads of it before
    // the change that follows.
    [[nodiscard]] static bool alone(const auto& held) {
        if (held.use_count() != 1) return false;
        std::atomic_thread_fence(std::memory_order_acquire);
        return true;
    }

    // The bucket for `id` to change, taken for this store alone first while a copy shares
    // it. A bucket emptied stays (walks pass over it), so that putting back what was taken
    // out needs no memory.
    Map& own(int32_t id) {
        const int32_t key = bucketOf(id);
        auto it = buckets_.lower_bound(key);
        if (it == buckets_.end() || it->first != key)
            it = buckets_.emplace_hint(it, key, std::make_shared<Map>());
        else if (!alone(it->second))
            it->second = std::make_shared<Map>(*it->second);
        return *it->second;
    }

    // Stores `held` under a free `id`.
    const Record* put(int32_t id, Held held) {
        Map& bucket = own(id);
        const auto hint =
            bucket.empty() || bucket.rbegin()->first < id ? bucket.end() : bucket.begin();
        const Record* stored = held.get();
        bucket.emplace_hint(hint, id, std::move(held));
        ++size_;
        return stored;
    }

    Buckets buckets_;
    size_t size_ = 0;
    int32_t lastId_ = 0;
};
