#include "organizer/PersonFilter.h"

#include <gtest/gtest.h>

#include "organizer/PersonTextIndex.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

namespace {

Person sample() {
    Person person;
    person.FName = "Zoë";
    person.LName = "Ångström";
    person.RName = "Ångström, Zoë";
    person.Company = "Müller & Zürcher Ltd";
    person.Position = "Engineer";
    person.City = "Uppsala";
    person.Notes = "likes tea";
    person.HmPhone = "(020) 555-1234";
    person.WkPhone = "555 98 76";
    person.CelPhone = "+46 70 111";
    person.EMail = "Zoe@Example.org";
    return person;
}

TEST(PersonTextIndexTest, MatchesNamesCompanyPhonesAndMailWithoutRegardToCaseOrAccents) {
    const FixedClock clock(LocalTime{2026, 12, 6, 10, 0, 0, 0});
    PimDocument document(clock);
    document.add(sample());
    PersonTextIndex index;
    index.build(document);
    struct Case {
        const char* typed;
        bool found;
    };
    const Case cases[] = {
        {"", true},
        {"ångström", true},       // Latin letters of UTF-8 fold too
        {"angstrom, zoe", true},  // and lose their accents
        {"muller", true},
        {"Mu\xCC\x88ller", true},  // a decomposed u with diaeresis
        {"mueller", false},
        {"zoe@example", true},
        {"555-1234", true},
        {"5551234", true},  // digits alone find a number written with separators
        {"+46 70", true},
        {"1234555", false},   // digits of two numbers never run together
        {"ltd\nzoe", false},  // nor do two fields
        {"engineer", false},  // fields the list does not show are not searched
        {"Zoeë", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(index.matches(1, PersonFilter(c.typed)), c.found) << c.typed;
        EXPECT_EQ(index.matchAll(PersonFilter(c.typed)).size(), c.found ? 1u : 0u) << c.typed;
    }
}

TEST(PersonFilterTest, LongerTextContainingTheOldOneNarrows) {
    struct Case {
        const char* typed;
        const char* before;
        bool narrows;
    };
    const Case cases[] = {
        {"ba", "a", true},  {"AB", "a", true}, {"a", "", true},
        {"a", "ab", false}, {"", "a", false},  {"b", "a", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PersonFilter(c.typed).narrows(PersonFilter(c.before)), c.narrows)
            << c.typed << " after " << c.before;
}

}  // namespace
