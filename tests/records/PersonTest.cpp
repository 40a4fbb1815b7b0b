#include <gtest/gtest.h>

#include <string>

#include "records/Person.h"

namespace {

TEST(Person, KeepsTextsOfEveryLengthAndNamesItselfAfterItsNames) {
    // Texts are copied in pieces whose size depends on the length: every length up to past
    // the largest piece.
    for (size_t length = 0; length <= 40; ++length) {
        PersonTexts texts{};
        std::string values[kPersonTextCount];
        for (size_t i = 0; i < kPersonTextCount; ++i) {
            values[i] = std::string(length, char('a' + i));
            texts[i] = values[i];
        }
        Person person;
        person.setTextsNamed(texts);
        for (size_t i = 0; i < kPersonTextCount; ++i) {
            if (PersonText(i) == PersonText::RName) continue;
            EXPECT_EQ(person.text(PersonText(i)), values[i]) << length;
        }
        EXPECT_EQ(person.RName(), displayName(texts)) << length;
    }
    // A display name too long for the room set aside for it.
    const std::string last(300, 'L');
    PersonTexts texts{};
    texts[size_t(PersonText::LName)] = last;
    texts[size_t(PersonText::FName)] = "F";
    Person person;
    person.setTextsNamed(texts);
    EXPECT_EQ(person.RName(), last + ", F");
}

}  // namespace
