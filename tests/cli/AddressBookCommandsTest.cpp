#include <gtest/gtest.h>

#include "CliFixture.h"
#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

namespace {

class AddressBookCommands : public CliFixture {
protected:
    std::string persons(std::vector<std::string> options) {
        options.insert(options.begin(), {"persons", doc});
        const CliRun listed = run(options);
        EXPECT_EQ(listed.code, 0) << listed.err;
        return listed.out;
    }
    void addPerson(std::vector<std::string> options) {
        options.insert(options.begin(), {"add-person", doc});
        const CliRun added = run(options);
        ASSERT_EQ(added.code, 0) << added.err;
    }
};

TEST_F(AddressBookCommands, AddedPersonIsListedUnderAllAndItsGroups) {
    const CliRun added = run({"add-person",   doc,
                              "--first",      "Ann",
                              "--last",       "Ames",
                              "--company",    "Acme",
                              "--group",      "Yellow Pages",
                              "--group",      "White Pages",
                              "--email",      "ann@example.org",
                              "--home-phone", "555-0100",
                              "--work-phone", "555-0200",
                              "--cell-phone", "555-0300"});
    ASSERT_EQ(added.code, 0) << added.err;
    EXPECT_EQ(added.out, "Added person 1.\n");
    addPerson({"--company", "Bakery", "--group", "All"});  // All is where everyone is anyway

    EXPECT_EQ(persons({}), "\tBakery\nAmes, Ann\tAcme\n");
    EXPECT_EQ(persons({"--group", "All"}), persons({}));
    EXPECT_EQ(persons({"--group", "White Pages"}), "Ames, Ann\tAcme\n");
    EXPECT_EQ(persons({"--group", "Yellow Pages"}), "Ames, Ann\tAcme\n");

    FixedClock clock{LocalTime{}};
    PimDocument document(clock);
    ASSERT_TRUE(loadDocument(document, doc));
    const Person& ann = *document.persons().find(1);
    EXPECT_EQ(ann.EMail, "ann@example.org");
    EXPECT_EQ(ann.HmPhone, "555-0100");
    EXPECT_EQ(ann.WkPhone, "555-0200");
    EXPECT_EQ(ann.CelPhone, "555-0300");

    EXPECT_EQ(run({"groups", doc}).out, "All\nWhite Pages\nYellow Pages\n");
}

// How the panel sorts and filters is its own rule; the options reach it.
TEST_F(AddressBookCommands, SortAndFilterOptionsReachTheList) {
    addPerson({"--last", "smith", "--company", "Zeta", "--cell-phone", "(020) 555-1234"});
    addPerson({"--first", "Al", "--company", "Acme", "--email", "al@zeta.org"});
    EXPECT_EQ(persons({}), "Al\tAcme\nsmith\tZeta\n");
    EXPECT_EQ(persons({"--filter", "0205551234"}), "smith\tZeta\n");
    EXPECT_EQ(persons({"--filter", "ZETA", "--sort", "company"}), "Al\tAcme\nsmith\tZeta\n");
}

TEST_F(AddressBookCommands, RefusesWhatTheEditorWouldNotAcceptAndUnknownGroups) {
    addPerson({"--first", "Ann"});
    expectRefused({"add-person", doc, "--first", "Bo", "--group", "Golf"}, 1,
                  "no group named \"Golf\"");
    expectRefused({"add-person", doc, "--email", "bo@example.org", "--group", "White Pages"}, 2,
                  "one of --first, --last and --company is required");
    expectRefused({"add-person", doc, "--first", ""}, 2, "one of --first");
    expectRefused({"persons", doc, "--group", "Golf"}, 1, "no group named \"Golf\"");
    expectRefused({"persons", doc, "--sort", "city"}, 2, "--sort wants name or company");
    EXPECT_EQ(persons({}), "Ann\t\n");

    // A document with no group at all lists nobody rather than failing.
    FixedClock clock{LocalTime{}};
    PimDocument empty(clock);
    const std::string bare = dir.file("bare.pgr");
    ASSERT_TRUE(saveDocument(empty, bare));
    EXPECT_EQ(run({"groups", bare}).out, "");
    EXPECT_EQ(run({"persons", bare}).out, "");
}

}  // namespace
