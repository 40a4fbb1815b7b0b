#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "records/PimDocument.h"

// The rules of one record type for turning a record's values into a new record.
class RecordImport {
public:
    // `columnOf[f]` is the column read into import field f (in the order of
    // importFieldNames), or -1 when no column is.
    explicit RecordImport(std::vector<int> columnOf) : columnOf_(std::move(columnOf)) {}
    virtual ~RecordImport() = default;

    // Applies the values of one record and takes the record when the rules allow;
    // returns nullptr when it was taken, otherwise why not.
    virtual const char* importRecord(const std::vector<std::string>& values) = 0;
    // Adds every record taken to the document as one change.
    virtual void addTo(PimDocument& document) = 0;

protected:
    // Calls `apply(field, value)` for every field that a column is read into, in the
    // order of the field list, so that a time is read after the date it belongs to.
    template <class Apply>
    void forEachField(const std::vector<std::string>& values, Apply apply) const {
        for (size_t f = 0; f < columnOf_.size(); ++f) {
            if (columnOf_[f] >= 0) apply(static_cast<int>(f), values[size_t(columnOf_[f])]);
        }
    }
    [[nodiscard]] bool hasColumn(int field) const { return columnOf_[size_t(field)] >= 0; }

private:
    std::vector<int> columnOf_;
};

// The records an import of one kind has taken, added to the document in one step at the
// end so that the views hear of them once and the import is one change.
template <class Record>
class RecordBatch {
public:
    // Records fit while `document` has identifiers left for them.
    explicit RecordBatch(const PimDocument& document) {
        const int32_t next = document.contents().store<Record>().nextId();
        room_ = next == 0 ? 0 : size_t(std::numeric_limits<int32_t>::max() - next) + 1;
    }
    // Takes the record; "no identifier left" when it would not get one.
    const char* take(Record&& record) {
        if (records_.size() == room_) return "no identifier left";
        records_.push_back(std::move(record));
        return nullptr;
    }
    void addTo(PimDocument& document) {
        if (!records_.empty()) document.addMany(std::move(records_));
        records_.clear();
    }

private:
    std::vector<Record> records_;
    size_t room_ = 0;
};
