#include "CliFixture.h"

namespace {

class AddressBookCommands : public CliFixture {
protected:
    // The persons listed with these options.
    std::string persons(const std::string& options = "") {
        const CliRun listed = run(words("persons home.pgr " + options));
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
    std::vector<std::string> addAnn = words(
        "add-person home.pgr --first Ann --last Ames --company Acme --email ann@example.org "
        "--home-phone 555-0100 --work-phone 555-0200 --cell-phone 555-0300");
    addAnn.insert(addAnn.end(), {"--group", "Yellow Pages", "--group", "White Pages"});
    EXPECT_EQ(said(run(addAnn)), said(0, "Added person 1.\n"));
    addPerson({"--company", "Bakery", "--group", "All"});  // All is where everyone is anyway

    EXPECT_EQ(persons(), "\tBakery\nAmes, Ann\tAcme\n");
    EXPECT_EQ(persons("--group All"), persons());
    EXPECT_EQ(run({"persons", doc, "--group", "White Pages"}).out, "Ames, Ann\tAcme\n");
    EXPECT_EQ(run({"persons", doc, "--group", "Yellow Pages"}).out, "Ames, Ann\tAcme\n");
    EXPECT_EQ(run({"groups", doc}).out, "All\nWhite Pages\nYellow Pages\n");

    PimDocument document(clock);
    ASSERT_TRUE(loadDocument(document, doc));
    const Person& ann = *document.persons().find(1);
    EXPECT_EQ(
        (std::vector<std::string_view>{ann.EMail(), ann.HmPhone(), ann.WkPhone(), ann.CelPhone()}),
        (std::vector<std::string_view>{"ann@example.org", "555-0100", "555-0200", "555-0300"}));
}

TEST_F(AddressBookCommands, DaysGivenToANewPersonAreListedByDay) {
    addPerson({"--first", "Ada", "--last", "Lovelace", "--birthday", "1815-12-10", "--anniversary",
               "--07-08"});
    EXPECT_EQ(said(run(words("day home.pgr --date 2026-12-10"))),
              said(0, "Appointments\nAll day\tAda Lovelace's birthday (211)\nTasks\n"));
    EXPECT_EQ(run(words("day home.pgr --date 2027-07-08")).out,
              "Appointments\nAll day\tAda Lovelace's anniversary\nTasks\n");
    expectRefused(words("add-person home.pgr --first Bo --birthday 12/10/1815"), 2,
                  "--birthday wants YYYY-MM-DD, or --MM-DD without a year, not \"12/10/1815\"");
}

// How the panel sorts and filters is its own rule; the options reach it.
TEST_F(AddressBookCommands, SortAndFilterOptionsReachTheList) {
    addPerson({"--last", "smith", "--company", "Zeta", "--cell-phone", "(020) 555-1234"});
    addPerson({"--first", "Al", "--company", "Acme", "--email", "al@zeta.org"});
    EXPECT_EQ(persons(), "Al\tAcme\nsmith\tZeta\n");
    EXPECT_EQ(persons("--filter 0205551234"), "smith\tZeta\n");
    EXPECT_EQ(persons("--filter ZETA --sort company"), "Al\tAcme\nsmith\tZeta\n");
}

TEST_F(AddressBookCommands, RefusesWhatTheEditorWouldNotAcceptAndUnknownGroups) {
    addPerson({"--first", "Ann"});
    expectRefused(words("add-person home.pgr --first Bo --group Golf"), 1,
                  "no group named \"Golf\"");
    expectRefused({"add-person", doc, "--email", "bo@example.org", "--group", "White Pages"}, 2,
                  "one of --first, --last and --company is required");
    expectRefused({"add-person", doc, "--first", ""}, 2, "one of --first");
    expectRefused(words("persons home.pgr --group Golf"), 1, "no group named \"Golf\"");
    expectRefused(words("persons home.pgr --sort city"), 2, "--sort wants name or company");
    EXPECT_EQ(persons(), "Ann\t\n");

    // A document with no group at all lists nobody rather than failing.
    ASSERT_TRUE(saveDocument(PimDocument(clock), doc));
    EXPECT_EQ(said(run({"groups", doc})), said(0, ""));
    EXPECT_EQ(said(run({"persons", doc})), said(0, ""));
}

}  // namespace
