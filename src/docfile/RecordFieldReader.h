#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "docfile/FieldValues.h"
#include "docfile/XmlTokenizer.h"
#include "records/RecordFields.h"
#include "records/SecondsConverter.h"

// The expected form of each field's attribute name; unused for a field without one.
struct ExpectedField {
    xml::ExpectedName name;
    bool used = false;
};

template <class Record>
constexpr auto expectedNames() {
    std::array<ExpectedField, recordFields<Record>().size()> names{};
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = recordFields<Record>()[i].documentName;
        if (name.empty() || name.size() > 14) continue;
        names[i] = {xml::expectedName(name), true};
    }
    return names;
}

// Reads the attributes of a record's element into the fields its kind's table names, as
// the document reader meets them. A record's texts are gathered as views, mostly of the
// file's text, and given to the record at once when its element ends.
class RecordFieldReader {
public:
    // `text` is what the tokenizer reads.
    explicit RecordFieldReader(std::string_view text) : text_(text) {}

    // A record's element starts: none of its texts is given yet.
    void startRecord() { givenTexts_ = 0; }
    // The attribute a record's element is expected to hold next: the one after the last.
    template <class Record>
    [[nodiscard]] const xml::ExpectedName* expectedField() const {
        static constexpr auto kExpected = expectedNames<Record>();
        const ExpectedField& field = kExpected[expectedIndex<Record>()];
        return field.used ? &field.name : nullptr;
    }
    // Reads the value of the attribute expectedField() named.
    template <class Record>
    void expectedValue(Record& record, std::string_view value) {
        fieldValue(record, expectedIndex<Record>(), value);
    }
    // Reads the attribute into the field of that name; false when the record kind has none.
    template <class Record>
    bool fieldAttribute(Record& record, std::string_view name, std::string_view value);
    // Gives the record the texts read for it; a text its element leaves out is that of
    // `previous`, the record read before it in the collection, or empty without one.
    template <class Record>
    void takeTexts(Record& record, const Record* previous) const;
    // Converts the seconds of the file's dates; shared with the rest of the reader.
    [[nodiscard]] SecondsConverter& seconds() { return seconds_; }

private:
    // The field whose attribute is expected next: the one after the last.
    template <class Record>
    [[nodiscard]] size_t expectedIndex() const {
        return nextField_ < recordFields<Record>().size() ? nextField_ : 0;
    }
    // Reads a value into field `i`.
    template <class Record>
    void fieldValue(Record& record, size_t i, std::string_view value);
    // The value of text field `i`: a view of the file's text where it is the value as it
    // stands, held in owned_ where reading changed it or the tokenizer made it.
    std::string_view textValue(size_t i, std::string_view value) {
        // As addresses: the value may lie in memory of the tokenizer's own.
        const auto at = reinterpret_cast<uintptr_t>(value.data());
        const auto text = reinterpret_cast<uintptr_t>(text_.data());
        const bool inText = at >= text && at + value.size() <= text + text_.size();
        if (inText && !holdsCarriageReturn(value)) return value;
        readText(owned_[i], value);
        return owned_[i];
    }
    // Whether `value`, which lies in the text, holds a CR. Most values are shorter than 16
    // bytes, which one comparison covers where the text goes on for as many.
    [[nodiscard]] bool holdsCarriageReturn(std::string_view value) const {
#ifdef __SSE2__
        const auto left = static_cast<size_t>(text_.data() + text_.size() - value.data());
        if (value.size() <= 16 && left >= 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(value.data()));
            const auto hits =
                static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, _mm_set1_epi8('\r'))));
            return (hits & ((1u << value.size()) - 1)) != 0;
        }
#endif
        return value.find('\r') != std::string_view::npos;
    }

    const std::string_view text_;
    SecondsConverter seconds_;
    size_t nextField_ = 0;  // attributes mostly come in the written order
    // The texts read for the record, by field index; only those of givenTexts_ are its own.
    std::array<std::string_view, 32> texts_;
    uint32_t givenTexts_ = 0;  // a bit for each field index whose attribute the element has
    std::array<std::string, 32> owned_;
};
