#include "organizer/PhoneBookView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"

namespace {

class PhoneBookViewTest : public testing::Test {
protected:
    void SetUp() override { document_.seedDefaultGroups(); }

    int32_t addPerson(const char* name, const char* company = "", const char* phone = "",
                      std::vector<int32_t> groups = {1}) {
        Person person;
        person.RName = name;
        person.Company = company;
        person.HmPhone = phone;
        person.PhGroups = std::move(groups);
        return document_.add(person);
    }
    std::vector<int32_t> listedIds() const {
        std::vector<int32_t> ids;
        for (size_t i = 0; i < view_.rowCount(); ++i)
            ids.push_back(view_.row(i).id);
        return ids;
    }

    FixedClock clock_{LocalTime{2026, 5, 10}};
    PimDocument document_{clock_};
    UndoHistory history_{document_};
    PhoneBookView view_{document_, &history_};
};

TEST_F(PhoneBookViewTest, NewDocumentShowsAllWithNothingSelected) {
    view_.refill();
    ASSERT_EQ(view_.groups().size(), 3u);
    EXPECT_EQ(view_.groups()[0], (GroupEntry{1, "All"}));
    EXPECT_EQ(view_.groupId(), 1);
    EXPECT_EQ(view_.rowCount(), 0u);
    EXPECT_EQ(view_.selectedPerson(), nullptr);
    for (const DetailText& detail : view_.details())
        EXPECT_EQ(detail, (DetailText{"Not Available", false}));
}

TEST_F(PhoneBookViewTest, DeletedCurrentGroupGivesWayToTheAlphabeticallyFirst) {
    const int32_t zoo = document_.add(PhGroup{0, "Zoo"});
    const int32_t aardvarks = document_.add(PhGroup{0, "aardvarks"});
    view_.refill();
    EXPECT_EQ(view_.groupId(), aardvarks);
    view_.chooseGroup(zoo);
    view_.refill();
    EXPECT_EQ(view_.groupId(), zoo);  // a refill keeps the chosen group

    ASSERT_TRUE(document_.deleteGroup(zoo));
    view_.refill();
    EXPECT_EQ(view_.groupId(), aardvarks);
    for (const int32_t id : {aardvarks, 1, 2, 3})
        ASSERT_TRUE(document_.deleteGroup(id));
    view_.refill();
    EXPECT_EQ(view_.groupId(), -1);
    EXPECT_TRUE(view_.groups().empty());
}

TEST_F(PhoneBookViewTest, SelectionFollowsThePersonUntilItIsNoLongerListed) {
    const int32_t mia = addPerson("Mia", "", "", {1, 2});
    const int32_t bo = addPerson("Bo", "Zeta");
    view_.refill();
    view_.selectRow(1);
    ASSERT_EQ(view_.selection(), (ListSelection{mia, 1}));

    addPerson("Al", "Acme");  // listed above Mia: her row moves, she stays selected
    view_.refill();
    EXPECT_EQ(view_.selection(), (ListSelection{mia, 2}));
    view_.sortBy(PersonSort::Company);  // "", "Acme", "Zeta"
    EXPECT_EQ(view_.selection(), (ListSelection{mia, 0}));
    view_.chooseGroup(2);
    EXPECT_EQ(view_.selection(), (ListSelection{mia, 0}));

    view_.chooseGroup(1);
    view_.setFilter("zeta");
    EXPECT_EQ(listedIds(), std::vector<int32_t>{bo});
    EXPECT_EQ(view_.selection(), ListSelection{});  // filtered out, so cleared for good
    view_.setFilter("");
    EXPECT_EQ(view_.rowCount(), 3u);
    EXPECT_EQ(view_.selection(), ListSelection{});

    view_.selectRow(7);
    EXPECT_EQ(view_.selection(), ListSelection{});
}

TEST_F(PhoneBookViewTest, DeleteMovesSelectionUpAndUndoBringsThePersonBack) {
    const int32_t a = addPerson("A"), b = addPerson("B"), c = addPerson("C");
    view_.refill();

    view_.selectRow(1);
    view_.deleteSelectedPerson();
    EXPECT_EQ(history_.undoName(), "Delete Person");
    view_.refill();
    EXPECT_EQ(listedIds(), (std::vector<int32_t>{a, c}));
    EXPECT_EQ(view_.selection(), (ListSelection{a, 0}));

    view_.deleteSelectedPerson();  // the first row: the new first row is chosen
    view_.refill();
    EXPECT_EQ(view_.selection(), (ListSelection{c, 0}));

    view_.deleteSelectedPerson();  // the last one left: nothing to choose
    view_.refill();
    EXPECT_EQ(view_.rowCount(), 0u);
    EXPECT_EQ(view_.selection(), ListSelection{});
    EXPECT_EQ(view_.details()[size_t(PersonDetail::HomePhone)].text, "Not Available");
    view_.deleteSelectedPerson();  // none selected: nothing happens
    EXPECT_EQ(history_.undoName(), "Delete Person");

    history_.undo();
    history_.undo();
    history_.undo();
    view_.refill();
    EXPECT_EQ(listedIds(), (std::vector<int32_t>{a, b, c}));
    const Person& back = *document_.persons().find(b);
    EXPECT_EQ(back.RName, "B");
    EXPECT_EQ(back.PhGroups, std::vector<int32_t>{1});
}

TEST_F(PhoneBookViewTest, DeleteUnderAFilterMovesWithinTheListedRows) {
    addPerson("Ann", "", "555-1000");
    addPerson("Bob", "", "555-2000");
    const int32_t cy = addPerson("Cy", "", "555-2001");
    const int32_t dee = addPerson("Dee", "", "555-2002");
    view_.refill();
    view_.setFilter("5552");
    EXPECT_EQ(listedIds().size(), 3u);
    view_.selectRow(2);
    ASSERT_EQ(view_.selection().id, dee);
    view_.setFilter("55520");  // narrowing keeps Dee
    view_.deleteSelectedPerson();
    view_.refill();
    EXPECT_EQ(view_.filterText(), "55520");
    EXPECT_EQ(view_.rowCount(), 2u);
    EXPECT_EQ(view_.selection(), (ListSelection{cy, 1}));
}

// The window refills on every change, but a filter typed before that must not reach for
// the person that just went.
TEST_F(PhoneBookViewTest, FilterBeforeTheRefillSkipsTheDeletedPerson) {
    addPerson("Ann", "", "555-1000");
    const int32_t bob = addPerson("Bob", "", "555-2000");
    view_.refill();
    view_.selectRow(0);
    view_.deleteSelectedPerson();
    view_.setFilter("555");
    EXPECT_EQ(listedIds(), std::vector<int32_t>{bob});
    EXPECT_EQ(view_.selection(), (ListSelection{bob, 0}));
}

TEST_F(PhoneBookViewTest, GroupMailTakesListedAddressesTopToBottom) {
    const auto add = [&](const char* name, const char* mail, std::vector<int32_t> groups) {
        Person person;
        person.RName = name;
        person.EMail = mail;
        person.PhGroups = std::move(groups);
        document_.add(person);
    };
    add("Zed", "z@x.org", {2, 1});
    add("Amy", "a@x.org", {1});
    add("Bea", "", {1});
    view_.refill();
    EXPECT_EQ(view_.listedAddresses(), (std::vector<std::string>{"a@x.org", "z@x.org"}));
    view_.setFilter("z");
    EXPECT_EQ(view_.listedAddresses(), std::vector<std::string>{"z@x.org"});
    view_.setFilter("nobody");
    EXPECT_TRUE(view_.listedAddresses().empty());
}

// Typing and erasing in the filter box must list what a fresh look at the group would.
TEST_F(PhoneBookViewTest, FilterEditsListWhatAFreshFilterWould) {
    std::mt19937 random(12345);
    const std::string letters = "aAbB5-1 ";
    auto text = [&](size_t maxLength) {
        std::string s(random() % (maxLength + 1), ' ');
        for (char& c : s)
            c = letters[random() % letters.size()];
        return s;
    };
    std::vector<Person> persons;
    for (int i = 0; i < 200; ++i) {
        Person p;
        p.RName = text(6);
        p.Company = text(4);
        p.WkPhone = text(6);
        p.EMail = text(3);
        p.PhGroups = {static_cast<int32_t>(1 + random() % 2)};
        p.ID = document_.add(p);
        persons.push_back(p);
    }
    const auto fold = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    const auto digits = [](const std::string& s) {
        std::string d;
        std::copy_if(s.begin(), s.end(), std::back_inserter(d),
                     [](char c) { return c >= '0' && c <= '9'; });
        return d;
    };
    // The rule in plain words: some shown field holds the text, or a number's digits do.
    const auto expected = [&](int32_t group, const std::string& typed) {
        const std::string needle = fold(typed);
        std::vector<std::pair<std::string, int32_t>> rows;
        for (const Person& p : persons) {
            if (p.PhGroups[0] != group) continue;
            bool found = false;
            for (const std::string& field :
                 {p.RName, p.Company, p.WkPhone, p.EMail, digits(p.WkPhone)})
                found = found || fold(field).find(needle) != std::string::npos;
            if (found) rows.emplace_back(p.RName, p.ID);
        }
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto& x, const auto& y) { return x.first < y.first; });
        std::vector<int32_t> ids;
        for (const auto& row : rows)
            ids.push_back(row.second);
        return ids;
    };

    view_.refill();
    std::string typed;
    for (int step = 0; step < 400; ++step) {
        switch (random() % 6) {
            case 0:
                if (!typed.empty()) typed.pop_back();
                break;
            case 1:
                typed = text(2);
                break;
            case 2:
                view_.chooseGroup(1 + static_cast<int32_t>(random() % 2));
                break;
            default:
                typed.push_back(letters[random() % letters.size()]);
        }
        view_.setFilter(typed);
        ASSERT_EQ(listedIds(), expected(view_.groupId(), typed))
            << "step " << step << " filter \"" << typed << "\" group " << view_.groupId();
    }
}

}  // namespace

namespace {

TEST_F(PhoneBookViewTest, ANewPersonIsSelectedOnlyWhereListed) {
    const int32_t ann = addPerson("Ann", "", "", {2, 1});
    view_.refill();
    view_.chooseGroup(2);
    view_.selectRow(0);
    const int32_t bob = addPerson("Bob");  // in "All" only
    view_.refill();
    view_.select(bob);
    EXPECT_EQ(view_.selection(), (ListSelection{ann, 0}));
    view_.chooseGroup(1);
    view_.select(bob);
    EXPECT_EQ(view_.selection(), (ListSelection{bob, 1}));
}

}  // namespace
