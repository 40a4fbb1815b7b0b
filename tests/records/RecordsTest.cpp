#include <gtest/gtest.h>

#include "records/Person.h"

namespace {

TEST(Person, DisplayNameJoinsLastAndFirstName) {
    struct Case {
        const char* label;
        const char* last;
        const char* first;
        const char* display;
    };
    const Case cases[] = {
        {"both names", "Smith", "Ann", "Smith, Ann"},
        {"first name alone", "", "Ann", "Ann"},
        {"last name alone", "Smith", "", "Smith"},
        {"neither", "", "", ""},
    };
    for (const Case& c : cases) {
        Person person;
        person.LName = c.last;
        person.FName = c.first;
        EXPECT_EQ(person.displayName(), c.display) << c.label;
    }
}

}  // namespace
