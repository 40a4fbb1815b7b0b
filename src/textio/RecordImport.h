#pragma once

#include <string_view>
#include <vector>

class PimDocument;

// The rules of one record type for turning a record's values into a new record.
class RecordImport {
public:
    // `columnOf[f]` is the column read into import field f (in the order of
    // importFieldNames), or -1 when no column is.
    explicit RecordImport(std::vector<int> columnOf) : columnOf_(std::move(columnOf)) {}
    virtual ~RecordImport() = default;

    // Applies the values of one record and takes the record when the rules allow;
    // returns nullptr when it was taken, otherwise why not.
    virtual const char* importRecord(const std::vector<std::string_view>& values) = 0;
    // Adds every record taken to the document as one change.
    virtual void addTo(PimDocument& document) = 0;

protected:
    // Calls `apply(field, value)` for every field that a column is read into, in the
    // order of the field list, so that a time is read after the date it belongs to.
    template <class Apply>
    void forEachField(const std::vector<std::string_view>& values, Apply apply) const {
        for (size_t f = 0; f < columnOf_.size(); ++f) {
            if (columnOf_[f] >= 0) apply(static_cast<int>(f), values[size_t(columnOf_[f])]);
        }
    }
    [[nodiscard]] bool hasColumn(int field) const { return columnOf_[size_t(field)] >= 0; }

private:
    std::vector<int> columnOf_;
};
