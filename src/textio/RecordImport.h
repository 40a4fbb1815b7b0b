#pragma once

#include <string_view>
#include <vector>

class PimDocument;

// The rules of one record type for turning a record's values into a new record.
class RecordImport {
public:
    // `columnOf[f]` is the column read into import field f (in the order of
    // importFieldNames), or -1 when no column is; `alternatesOf[f]` (may be empty) lists
    // the columns that fill field f, the first of them that holds a value, when its own
    // column holds none.
    explicit RecordImport(std::vector<int> columnOf,
                          std::vector<std::vector<int>> alternatesOf = {})
        : columnOf_(std::move(columnOf)), alternatesOf_(std::move(alternatesOf)) {
        alternatesOf_.resize(columnOf_.size());
        blockOf_.assign(columnOf_.size(), -1);
        for (size_t f = 0; f < columnOf_.size(); ++f) {
            if (columnOf_[f] >= 0 || !alternatesOf_[f].empty())
                reads_.push_back({static_cast<int>(f), columnOf_[f], !alternatesOf_[f].empty()});
        }
    }
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
        for (const Read& read : reads_) {
            apply(read.field, read.alternates ? valueOf(values, size_t(read.field))
                                              : values[size_t(read.column)]);
        }
    }
    [[nodiscard]] bool hasColumn(int field) const { return columnOf_[size_t(field)] >= 0; }
    // Fields that belong together, such as the lines of an address: their alternates stand
    // in only when every field of the block is empty in its own column, so that a record
    // never mixes the home street with the business city.
    void setBlock(const std::vector<int>& fields, int block) {
        for (const int f : fields)
            blockOf_[size_t(f)] = block;
    }

private:
    [[nodiscard]] std::string_view ownValue(const std::vector<std::string_view>& values,
                                            size_t field) const {
        return columnOf_[field] >= 0 ? values[size_t(columnOf_[field])] : std::string_view();
    }
    [[nodiscard]] static bool isBlank(std::string_view value) {
        return value.find_first_not_of(" \t\r\n") == std::string_view::npos;
    }
    [[nodiscard]] bool blockIsBlank(const std::vector<std::string_view>& values, int block) const {
        for (size_t f = 0; f < blockOf_.size(); ++f) {
            if (blockOf_[f] == block && !isBlank(ownValue(values, f))) return false;
        }
        return true;
    }
    [[nodiscard]] std::string_view valueOf(const std::vector<std::string_view>& values,
                                           size_t field) const {
        const std::string_view own = ownValue(values, field);
        if (alternatesOf_[field].empty() || !isBlank(own)) return own;
        if (blockOf_[field] >= 0 && !blockIsBlank(values, blockOf_[field])) return own;
        for (const int column : alternatesOf_[field]) {
            if (!isBlank(values[size_t(column)])) return values[size_t(column)];
        }
        return own;
    }

    // A field a column is read into; most have no alternates, and their value is their
    // column's, found without looking further.
    struct Read {
        int field;
        int column;  // -1 for none
        bool alternates;
    };

    std::vector<int> columnOf_;
    std::vector<std::vector<int>> alternatesOf_;
    std::vector<Read> reads_;   // in the order of the field list
    std::vector<int> blockOf_;  // the block of each field, -1 for none
};
