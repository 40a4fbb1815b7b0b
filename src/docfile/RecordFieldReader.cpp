#include "docfile/RecordFieldReader.h"

#include <cstring>
#include <type_traits>

#include "docfile/FieldValues.h"

namespace {

// Whether two names are the same. Attribute names are a few bytes long, shorter than a
// call of the library's memcmp would be worth, and of many lengths, where a loop over
// their bytes would guess its end wrong: they are compared as two words that may overlap.
bool sameName(std::string_view a, std::string_view b) {
    const size_t n = a.size();
    if (n != b.size()) return false;
    const char* const x = a.data();
    const char* const y = b.data();
    const auto same = [&]<class Word>(Word) {
        Word head[2];
        Word tail[2];
        std::memcpy(&head[0], x, sizeof(Word));
        std::memcpy(&head[1], y, sizeof(Word));
        std::memcpy(&tail[0], x + n - sizeof(Word), sizeof(Word));
        std::memcpy(&tail[1], y + n - sizeof(Word), sizeof(Word));
        return head[0] == head[1] && tail[0] == tail[1];
    };
    if (n >= 8) return n <= 16 ? same(uint64_t{}) : std::memcmp(x, y, n) == 0;
    if (n >= 4) return same(uint32_t{});
    for (size_t i = 0; i < n; ++i) {
        if (x[i] != y[i]) return false;
    }
    return true;
}

}  // namespace

template <class Record>
void RecordFieldReader::takeTexts(Record& record, const Record* previous) const {
    const auto fields = recordFields<Record>();
    const auto given = [&](size_t i) { return (givenTexts_ >> i & 1u) != 0; };
    if constexpr (std::is_same_v<Record, Person>) {
        PersonTexts values;
        size_t next = 0;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].type != FieldType::Text) continue;
            // Views of the previous person's block, which setTexts reads before it lets go
            // of anything.
            values[next] = given(i)              ? texts_[i]
                           : previous != nullptr ? previous->text(PersonText(next))
                                                 : std::string_view();
            ++next;
        }
        record.setTexts(values);
    } else {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].type != FieldType::Text || (!given(i) && previous == &record)) continue;
            fields[i].setText(record, given(i)              ? texts_[i]
                                      : previous != nullptr ? fields[i].textOf(*previous)
                                                            : std::string_view());
        }
    }
}

template <class Record>
bool RecordFieldReader::fieldAttribute(Record& record, std::string_view name,
                                       std::string_view value) {
    static_assert(recordFields<Record>().size() <= std::tuple_size_v<decltype(texts_)>);
    const auto fields = recordFields<Record>();
    // The field after the last one first: files list them in that order. Then the others;
    // no two fields have one name.
    size_t i = nextField_ < fields.size() ? nextField_ : 0;
    if (!sameName(fields[i].documentName, name)) {
        i = 0;
        while (i < fields.size() && !sameName(fields[i].documentName, name))
            ++i;
        if (i == fields.size()) return false;
    }
    fieldValue(record, i, value);
    return true;
}

template <class Record>
void RecordFieldReader::fieldValue(Record& record, size_t i, std::string_view value) {
    const FieldSpec<Record>& field = recordFields<Record>()[i];
    nextField_ = i + 1;
    switch (field.type) {
        case FieldType::Text:
            texts_[i] = textValue(i, value);
            givenTexts_ |= 1u << i;
            // The owner's fields are read once, straight into the record.
            if constexpr (std::is_same_v<Record, User>) field.setText(record, texts_[i]);
            break;
        case FieldType::Number:
            record.*field.number = readInt(value);
            break;
        case FieldType::Flag:
            setFlag(record, field, value == "1");
            break;
        case FieldType::Date: {
            // The seconds tell which pass of a repeated hour the time is in; the value alone
            // would be written back as the first.
            bool later = false;
            record.*field.date = seconds_.fromSeconds(readLong(value), later);
            if (field.laterBit != 0) setLaterOfTwo(record, field, later);
            break;
        }
        case FieldType::Yearly:
            // A day that cannot be read is none, as an older reader sees it.
            record.*field.yearly = MonthDay::parse(value).value_or(MonthDay());
            break;
    }
}

template void RecordFieldReader::takeTexts(Person&, const Person*) const;
template void RecordFieldReader::takeTexts(Task&, const Task*) const;
template void RecordFieldReader::takeTexts(Appointment&, const Appointment*) const;
template bool RecordFieldReader::fieldAttribute(Person&, std::string_view, std::string_view);
template bool RecordFieldReader::fieldAttribute(Task&, std::string_view, std::string_view);
template bool RecordFieldReader::fieldAttribute(Appointment&, std::string_view, std::string_view);
template bool RecordFieldReader::fieldAttribute(PhGroup&, std::string_view, std::string_view);
template bool RecordFieldReader::fieldAttribute(User&, std::string_view, std::string_view);
template void RecordFieldReader::fieldValue(Person&, size_t, std::string_view);
template void RecordFieldReader::fieldValue(Task&, size_t, std::string_view);
template void RecordFieldReader::fieldValue(Appointment&, size_t, std::string_view);
