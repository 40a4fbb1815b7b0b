#include <gtest/gtest.h>

#include <algorithm>
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

TEST(Person, KeepsTextsWhoseTotalCrossesTheWidthOfItsOffsets) {
    // The offsets take one, two or four bytes each, as the total needs: totals on either side.
    for (const size_t total : {255u, 256u, 65535u, 65536u, 70000u}) {
        std::string values[kPersonTextCount];
        PersonTexts texts{};
        size_t left = total;
        for (size_t i = kPersonTextCount; i-- > 0;) {
            // The last text ends at the total; the first ones hold the rest.
            values[i] = std::string(i == 0 ? left : std::min<size_t>(left, 7 + i), char('a' + i));
            left -= values[i].size();
            texts[i] = values[i];
        }
        Person person;
        person.setTexts(texts);
        const Person copy = person;
        for (size_t i = 0; i < kPersonTextCount; ++i)
            EXPECT_EQ(copy.text(PersonText(i)), values[i]) << total;
        EXPECT_EQ(copy.allTexts().size(), total);
        EXPECT_EQ(copy, person);
        Person other = person;
        other.setText(PersonText::City, "x");
        EXPECT_NE(other, person) << total;
    }
}

}  // namespace
