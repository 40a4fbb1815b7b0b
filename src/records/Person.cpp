#include "records/Person.h"

#include <cstring>
#include <new>

#include "records/ShortCopy.h"

namespace {

constexpr size_t kOffsetsBytes = kPersonTextCount * sizeof(uint32_t);

size_t blockWords(size_t textBytes) {
    return kPersonTextCount + (textBytes + sizeof(uint32_t) - 1) / sizeof(uint32_t);
}

size_t textBytesOf(const uint32_t* block) {
    return block == nullptr ? 0 : block[kPersonTextCount - 1];
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
    const size_t words = blockWords(textBytesOf(other.block_.get()));
    block_ = std::make_unique_for_overwrite<uint32_t[]>(words);
    std::memcpy(block_.get(), other.block_.get(), words * sizeof(uint32_t));
}

Person& Person::operator=(const Person& other) {
    if (this != &other) *this = Person(other);
    return *this;
}

std::string_view Person::text(PersonText field) const {
    // Never a null pointer, as a std::string's never was: callers copy from it.
    if (block_ == nullptr) return std::string_view("", 0);
    const size_t i = size_t(field);
    const uint32_t begin = i == 0 ? 0 : block_[i - 1];
    const auto* bytes = reinterpret_cast<const char*>(block_.get() + kPersonTextCount);
    return {bytes + begin, block_[i] - begin};
}

std::string_view Person::allTexts() const {
    if (block_ == nullptr) return std::string_view("", 0);
    const auto* bytes = reinterpret_cast<const char*>(block_.get() + kPersonTextCount);
    return {bytes, textBytesOf(block_.get())};
}

PersonTexts Person::texts() const {
    PersonTexts values;
    for (size_t i = 0; i < kPersonTextCount; ++i)
        values[i] = text(PersonText(i));
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
    auto block = std::make_unique_for_overwrite<uint32_t[]>(blockWords(total));
    auto* bytes = reinterpret_cast<char*>(block.get() + kPersonTextCount);
    uint32_t end = 0;
    for (size_t i = 0; i < kPersonTextCount; ++i) {
        copyShort(bytes + end, values[i].data(), values[i].size());
        end += uint32_t(values[i].size());
        block[i] = end;
    }
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
    const size_t bytes = textBytesOf(block_.get());
    if (bytes != textBytesOf(other.block_.get())) return false;
    return bytes == 0 || std::memcmp(block_.get(), other.block_.get(), kOffsetsBytes + bytes) == 0;
}
