#include "records/Person.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "records/ShortCopy.h"

namespace {

// A block starts with the width of its offsets: the fewest bytes that hold the total, so that
// the offsets of the common person, whose texts come to a few hundred bytes, take 19 or 38
// bytes rather than 76.
size_t offsetWidth(size_t textBytes) {
    return textBytes <= UINT8_MAX ? 1 : textBytes <= UINT16_MAX ? 2 : 4;
}

size_t headerBytes(size_t width) {
    return 1 + kPersonTextCount * width;
}

uint32_t offsetAt(const unsigned char* block, size_t i) {
    const unsigned char* at = block + 1 + i * block[0];
    switch (block[0]) {
        case 1:
            return *at;
        case 2: {
            uint16_t offset;
            std::memcpy(&offset, at, sizeof offset);
            return offset;
        }
        default: {
            uint32_t offset;
            std::memcpy(&offset, at, sizeof offset);
            return offset;
        }
    }
}

size_t textBytesOf(const unsigned char* block) {
    return block == nullptr ? 0 : offsetAt(block, kPersonTextCount - 1);
}

// The size of the whole block.
size_t blockBytes(const unsigned char* block) {
    return block == nullptr ? 0 : headerBytes(block[0]) + textBytesOf(block);
}

}  // namespace

std::string& PersonTextFields::operator[](PersonText field) {
    switch (field) {
#define QUILLMATE_PERSON_TEXT_CASE(name) \
    case PersonText::name:               \
        return name;
        QUILLMATE_PERSON_TEXTS(QUILLMATE_PERSON_TEXT_CASE)
#undef QUILLMATE_PERSON_TEXT_CASE
    }
    return Notes;  // not reached: every field has its case
}

PersonTexts PersonTextFields::views() const {
    return {
#define QUILLMATE_PERSON_TEXT_VIEW(name) std::string_view(name),
        QUILLMATE_PERSON_TEXTS(QUILLMATE_PERSON_TEXT_VIEW)
#undef QUILLMATE_PERSON_TEXT_VIEW
    };
}

Person::Person(const Person& other)
    : ID(other.ID),
      WhitePages(other.WhitePages),
      YellowPages(other.YellowPages),
      PhGroups(other.PhGroups),
      uid(other.uid),
      Birthday(other.Birthday),
      Anniversary(other.Anniversary),
      BirthdayReminded(other.BirthdayReminded),
      AnniversaryReminded(other.AnniversaryReminded) {
    if (other.block_ == nullptr) return;
    const size_t bytes = blockBytes(other.block_.get());
    block_ = std::make_unique_for_overwrite<unsigned char[]>(bytes);
    std::memcpy(block_.get(), other.block_.get(), bytes);
}

Person& Person::operator=(const Person& other) {
    if (this != &other) *this = Person(other);
    return *this;
}

std::string_view Person::text(PersonText field) const {
    // Never a null pointer, as a std::string's never was: callers copy from it.
    if (block_ == nullptr) return std::string_view("", 0);
    const unsigned char* const block = block_.get();
    const size_t i = size_t(field);
    const uint32_t begin = i == 0 ? 0 : offsetAt(block, i - 1);
    const auto* bytes = reinterpret_cast<const char*>(block + headerBytes(block[0]));
    return {bytes + begin, offsetAt(block, i) - begin};
}

std::string_view Person::allTexts() const {
    if (block_ == nullptr) return std::string_view("", 0);
    const auto* bytes = reinterpret_cast<const char*>(block_.get() + headerBytes(block_[0]));
    return {bytes, textBytesOf(block_.get())};
}

PersonTexts Person::texts() const {
    PersonTexts values;
    if (block_ == nullptr) {
        values.fill(std::string_view("", 0));
        return values;
    }
    // The width read once for all of them: a load takes every person's texts this way.
    const unsigned char* const block = block_.get();
    const auto* bytes = reinterpret_cast<const char*>(block + headerBytes(block[0]));
    const auto fill = [&]<class Offset>(Offset) {
        uint32_t begin = 0;
        for (size_t i = 0; i < kPersonTextCount; ++i) {
            Offset end;
            std::memcpy(&end, block + 1 + i * sizeof end, sizeof end);
            values[i] = std::string_view(bytes + begin, end - begin);
            begin = end;
        }
    };
    if (block[0] == 1)
        fill(uint8_t{});
    else if (block[0] == 2)
        fill(uint16_t{});
    else
        fill(uint32_t{});
    return values;
}

PersonTextFields Person::textFields() const {
    PersonTextFields fields;
    for (size_t i = 0; i < kPersonTextCount; ++i)
        fields[PersonText(i)] = text(PersonText(i));
    return fields;
}

void Person::setText(PersonText field, std::string_view value) {
    PersonTexts values = texts();
    values[size_t(field)] = value;
    setTexts(values);  // reads the old block, which may hold `value`, before freeing it
}

void Person::setTexts(const PersonTexts& values) {
    size_t total = 0;
    for (const std::string_view value : values)
        total += value.size();
    if (total == 0) {
        block_.reset();
        return;
    }
    // Offsets are 32 bits: texts beyond them cannot be held, like texts beyond memory.
    if (total > UINT32_MAX) throw std::bad_alloc();
    const size_t width = offsetWidth(total);
    auto block = std::make_unique_for_overwrite<unsigned char[]>(headerBytes(width) + total);
    block[0] = static_cast<unsigned char>(width);
    unsigned char* const offsets = block.get() + 1;
    auto* const bytes = reinterpret_cast<char*>(offsets + kPersonTextCount * width);
    // One loop for each width, so that the width is not asked again for every text.
    const auto fill = [&]<class Offset>(Offset) {
        uint32_t end = 0;
        for (size_t i = 0; i < kPersonTextCount; ++i) {
            copyShort(bytes + end, values[i].data(), values[i].size());
            end += uint32_t(values[i].size());
            const auto offset = static_cast<Offset>(end);
            std::memcpy(offsets + i * sizeof offset, &offset, sizeof offset);
        }
    };
    if (width == 1)
        fill(uint8_t{});
    else if (width == 2)
        fill(uint16_t{});
    else
        fill(uint32_t{});
    block_ = std::move(block);
}

void Person::setTextsNamed(PersonTexts values) {
    const std::string_view last = values[size_t(PersonText::LName)];
    const std::string_view first = values[size_t(PersonText::FName)];
    std::string_view& name = values[size_t(PersonText::RName)];
    name = last.empty() ? first : last;
    // The name as displayName() makes it, on the stack where it fits: an import makes one
    // for every person.
    char local[256];
    std::string large;
    if (!last.empty() && !first.empty()) {
        const size_t size = last.size() + 2 + first.size();
        char* made = local;
        if (size > sizeof local) {
            large.resize(size);
            made = large.data();
        }
        copyShort(made, last.data(), last.size());
        copyShort(made + last.size(), ", ", 2);
        copyShort(made + last.size() + 2, first.data(), first.size());
        name = std::string_view(made, size);
    }
    setTexts(values);  // reads the views, which may lie in the old block, before freeing it
}

void Person::setDate(PersonDate which, MonthDay value) {
    MonthDay& held = which == PersonDate::Birthday ? Birthday : Anniversary;
    if (held == value) return;
    held = value;
    setRemindedYear(which, 0);
}

std::string displayName(const PersonTexts& texts) {
    const std::string_view last = texts[size_t(PersonText::LName)];
    const std::string_view first = texts[size_t(PersonText::FName)];
    if (last.empty()) return std::string(first);
    if (first.empty()) return std::string(last);
    // Made in one piece: an import makes one for every person.
    std::string name;
    name.reserve(last.size() + 2 + first.size());
    name.append(last).append(", ").append(first);
    return name;
}

bool Person::operator==(const Person& other) const {
    if (ID != other.ID || WhitePages != other.WhitePages || YellowPages != other.YellowPages ||
        PhGroups != other.PhGroups || uid != other.uid || Birthday != other.Birthday ||
        Anniversary != other.Anniversary || BirthdayReminded != other.BirthdayReminded ||
        AnniversaryReminded != other.AnniversaryReminded)
        return false;
    // Equal texts make equal blocks: the width follows from the total.
    const size_t bytes = blockBytes(block_.get());
    if (bytes != blockBytes(other.block_.get())) return false;
    return bytes == 0 || std::memcmp(block_.get(), other.block_.get(), bytes) == 0;
}
