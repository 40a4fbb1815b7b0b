#include "organizer/PhoneBookRows.h"

#include <gtest/gtest.h>

#include <ranges>

#include "organizer/PersonFilter.h"
#include "organizer/PersonTextIndex.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/Collect.h"
#include "support/Records.h"

namespace {

class PhoneBookRows : public testing::Test {
protected:
    int32_t addGroup(const char* desc) { return document_.add(PhGroup{0, desc}); }
    int32_t addPerson(const char* name, const char* company, std::vector<int32_t> groups) {
        return document_.add(listedPerson(name, company, std::move(groups)));
    }
    static std::vector<std::string> descs(const std::vector<GroupEntry>& groups) {
        return collect(groups, &GroupEntry::desc);
    }
    static std::vector<int32_t> ids(const PersonRows& rows) {
        return collect(std::views::iota(size_t{0}, rows.size()),
                       [&](size_t i) { return rows[i].id; });
    }

    FixedClock clock_{LocalTime{2026, 5, 10}};
    PimDocument document_{clock_};
};

TEST_F(PhoneBookRows, GroupBoxSortsWithoutRegardToCaseAndLeavesOneOut) {
    const int32_t all = addGroup("All");
    const int32_t golfUpper = addGroup("Golf");
    addGroup("bridge");
    const int32_t golfLower = addGroup("golf");
    for (const char* desc : {"Zoo", "", "Ärzte"})  // non-ASCII bytes come after every ASCII letter
        addGroup(desc);

    EXPECT_EQ(descs(sortedGroups(document_)),
              (std::vector<std::string>{"", "All", "bridge", "Golf", "golf", "Zoo", "Ärzte"}));
    // Texts that differ only in case keep one order whatever order they were added in.
    EXPECT_EQ(sortedGroups(document_)[3].id, golfUpper);
    EXPECT_EQ(sortedGroups(document_)[4].id, golfLower);

    EXPECT_EQ(descs(sortedGroups(document_, all)),
              (std::vector<std::string>{"", "bridge", "Golf", "golf", "Zoo", "Ärzte"}));
}

TEST_F(PhoneBookRows, PersonRowsListTheGroupsMembersSortedByteForByte) {
    const int32_t friends = addGroup("Friends");
    const int32_t work = addGroup("Work");
    const int32_t smith = addPerson("smith", "acme", {friends, work});
    const int32_t zorro = addPerson("Zorro", "Zeta", {work, friends});
    const int32_t onlyCompany = addPerson("", "Bakery", {friends});
    const int32_t zor = addPerson("Zor", "", {friends});
    const int32_t elsewhere = addPerson("Adams", "Acme", {work});
    addPerson("Aaron", "", {});  // in no group: never listed
    const int32_t secondSmith = addPerson("smith", "Acme", {friends});

    // Empty before everything, upper case before lower case, a prefix before its longer text;
    // equal names keep the document's order.
    EXPECT_EQ(ids(groupPersonRows(document_, friends, PersonSort::Name)),
              (std::vector<int32_t>{onlyCompany, zor, zorro, smith, secondSmith}));
    EXPECT_EQ(ids(groupPersonRows(document_, friends, PersonSort::Company)),
              (std::vector<int32_t>{zor, secondSmith, onlyCompany, zorro, smith}));
    EXPECT_EQ(ids(groupPersonRows(document_, work, PersonSort::Name)),
              (std::vector<int32_t>{elsewhere, zorro, smith}));
    EXPECT_TRUE(groupPersonRows(document_, -1, PersonSort::Name).empty());
}

TEST_F(PhoneBookRows, DetailsShowEachFieldOrNotAvailable) {
    for (const DetailText& detail : personDetails(nullptr))
        EXPECT_EQ(detail, (DetailText{"Not Available", false}));

    Person person;
    person.setHmPhone("555-0001");
    person.setWkPhone("555-1234");
    person.setWkExt("12");
    const auto details = personDetails(&person);
    EXPECT_EQ(details[size_t(PersonDetail::HomePhone)], (DetailText{"555-0001", true}));
    EXPECT_EQ(details[size_t(PersonDetail::WorkPhone)], (DetailText{"555-1234x12", true}));
    EXPECT_EQ(details[size_t(PersonDetail::Pager)], (DetailText{"Not Available", false}));
    // The number is dialled without the extension the button shows.
    EXPECT_EQ(detailField(person, PersonDetail::WorkPhone), "555-1234");
    person.setWkPhone("");
    EXPECT_EQ(personDetails(&person)[size_t(PersonDetail::WorkPhone)],
              (DetailText{"Not Available", false}))
        << "an extension without its number";
}

TEST(PersonTextIndexTest, MatchesNamesCompanyPhonesAndMailWithoutRegardToCaseOrAccents) {
    const FixedClock clock(LocalTime{2026, 12, 6, 10, 0, 0, 0});
    PimDocument document(clock);
    Person person = listedPerson("Ångström, Zoë", "Müller & Zürcher Ltd");
    person.setPosition("Engineer");
    person.setHmPhone("(020) 555-1234");
    person.setWkPhone("555 98 76");
    person.setCelPhone("+46 70 111");
    person.setEMail("Zoe@Example.org");
    document.add(person);
    PersonTextIndex index;
    index.build(document);
    const std::tuple<const char*, bool> cases[] = {
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
    for (const auto& [typed, found] : cases) {
        EXPECT_EQ(index.matches(1, PersonFilter(typed)), found) << typed;
        EXPECT_EQ(index.matchAll(PersonFilter(typed)).size(), found ? 1u : 0u) << typed;
    }
}

}  // namespace
