#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/MonthDay.h"
#include "records/PackedText.h"

// The text fields of a person, in the order the document writes them.
#define QUILLMATE_PERSON_TEXTS(X)                               \
    X(FName)                                                    \
    X(LName)                                                    \
    X(RName) /* display name; stored, not recomputed on load */ \
    X(Company)                                                  \
    X(Position)                                                 \
    X(Addr1)                                                    \
    X(Addr2)                                                    \
    X(City)                                                     \
    X(State)                                                    \
    X(Zip)                                                      \
    X(Notes) /* may hold CR LF line breaks */                   \
    X(HmPhone)                                                  \
    X(WkPhone)                                                  \
    X(WkExt)                                                    \
    X(Fax)                                                      \
    X(CelPhone)                                                 \
    X(Pager)                                                    \
    X(EMail)                                                    \
    X(WebPage)

enum class PersonText : uint8_t {
#define QUILLMATE_PERSON_TEXT_NAME(name) name,
    QUILLMATE_PERSON_TEXTS(QUILLMATE_PERSON_TEXT_NAME)
#undef QUILLMATE_PERSON_TEXT_NAME
};

inline constexpr size_t kPersonTextCount = size_t(PersonText::WebPage) + 1;

// A person's texts, one value per field in PersonText order.
using PersonTexts = std::array<std::string_view, kPersonTextCount>;

// A person's texts as strings of their own, for putting them together field by field or
// editing them; a person takes them at once.
struct PersonTextFields {
#define QUILLMATE_PERSON_TEXT_FIELD(name) std::string name;
    QUILLMATE_PERSON_TEXTS(QUILLMATE_PERSON_TEXT_FIELD)
#undef QUILLMATE_PERSON_TEXT_FIELD

    [[nodiscard]] std::string& operator[](PersonText field);
    [[nodiscard]] PersonTexts views() const;
};

// The days of a person that come back every year.
enum class PersonDate : uint8_t { Birthday, Anniversary };

// "LName, FName", or whichever of the two is not empty.
[[nodiscard]] std::string displayName(const PersonTexts& texts);

// An address-book entry. Text is UTF-8, up to 4 GiB in all.
//
// A document holds a hundred thousand of these, so the texts share one block of memory
// (their end offsets, of as few bytes each as the total needs, then their bytes) instead of
// taking a string each: most are short or empty, and nineteen strings cost over 600 bytes
// before any text. A person with no text holds no block. The views handed out stay valid
// until the person's texts change or the person is assigned to, moved from or destroyed.
class Person {
public:
    int32_t ID = 0;
    int32_t WhitePages = 0;         // legacy flag from the first file version
    int32_t YellowPages = 0;        // legacy flag from the first file version
    std::vector<int32_t> PhGroups;  // group ids in the order added
    // Beyond version 16: the UID it came with, or was given when first exported or synced;
    // "" for none yet.
    PackedText uid;
    // Beyond version 16: the birthday and anniversary, and the year of each whose reminder
    // was last shown (0 for none), so that it is shown once a year.
    MonthDay Birthday;
    MonthDay Anniversary;
    int32_t BirthdayReminded = 0;
    int32_t AnniversaryReminded = 0;

    Person() = default;
    Person(const Person& other);
    Person(Person&&) noexcept = default;
    Person& operator=(const Person& other);
    Person& operator=(Person&&) noexcept = default;
    ~Person() = default;

    [[nodiscard]] std::string_view text(PersonText field) const;
    void setText(PersonText field, std::string_view value);
    // Sets every text at once: one block instead of one per field.
    void setTexts(const PersonTexts& values);
    void setTexts(const PersonTextFields& fields) { setTexts(fields.views()); }
    // Sets every text, the display name made from the names among them.
    void setTextsNamed(PersonTexts values);
    [[nodiscard]] PersonTexts texts() const;
    [[nodiscard]] PersonTextFields textFields() const;
    // The bytes of every text one after the other, in PersonText order: all of them to look
    // through at once.
    [[nodiscard]] std::string_view allTexts() const;

#define QUILLMATE_PERSON_TEXT_ACCESS(name)        \
    [[nodiscard]] std::string_view name() const { \
        return text(PersonText::name);            \
    }                                             \
    void set##name(std::string_view value) {      \
        setText(PersonText::name, value);         \
    }
    QUILLMATE_PERSON_TEXTS(QUILLMATE_PERSON_TEXT_ACCESS)
#undef QUILLMATE_PERSON_TEXT_ACCESS

    [[nodiscard]] const MonthDay& date(PersonDate which) const {
        return which == PersonDate::Birthday ? Birthday : Anniversary;
    }
    // Sets the birthday or anniversary; a day that changes is reminded of anew.
    void setDate(PersonDate which, MonthDay value);
    [[nodiscard]] int32_t remindedYear(PersonDate which) const {
        return which == PersonDate::Birthday ? BirthdayReminded : AnniversaryReminded;
    }
    void setRemindedYear(PersonDate which, int32_t year) {
        (which == PersonDate::Birthday ? BirthdayReminded : AnniversaryReminded) = year;
    }

    [[nodiscard]] std::string displayName() const {
        return ::displayName(texts());
    }

    bool operator==(const Person& other) const;

private:
    // The width of an offset in bytes (1, 2 or 4), kPersonTextCount end offsets of that
    // width, then the bytes of the texts; null when all are empty.
    std::unique_ptr<unsigned char[]> block_;
};
