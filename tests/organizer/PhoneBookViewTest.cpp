#include "organizer/PhoneBookView.h"

#include <gtest/gtest.h>

#include "records/DocumentDoor.h"

#include <random>
#include <ranges>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "support/Collect.h"
#include "support/Records.h"

namespace {

class PhoneBookViewTest : public testing::Test {
protected:
    void SetUp() override { document_.seedDefaultGroups(); }

    int32_t addPerson(const char* name, const char* company = "", const char* phone = "",
                      std::vector<int32_t> groups = {1}, const char* mail = "") {
        Person person = listedPerson(name, company, std::move(groups));
        person.setHmPhone(phone);
        person.setEMail(mail);
        return document_.add(person);
    }
    static std::vector<int32_t> listedIds(const PhoneBookView& view) {
        return collect(std::views::iota(size_t{0}, view.rowCount()),
                       [&](size_t i) { return view.row(i).id; });
    }

    FixedClock clock_{LocalTime{2026, 5, 10}};
    PimDocument document_{clock_};
    UndoHistory history_{document_};
    DocumentDoor door_{document_, &history_};
    DocumentDoor bare_{document_, nullptr};
    PhoneBookView view_{door_};
};

TEST_F(PhoneBookViewTest, CurrentGroupIsAllAtFirstAndADeletedOneGivesWayToTheFirst) {
    PhoneBookView fresh(bare_);
    fresh.refill();
    EXPECT_EQ(fresh.groups().at(0), (GroupEntry{1, "All"}));
    EXPECT_EQ(std::tuple(fresh.groupId(), fresh.rowCount(), fresh.selectedPerson()),
              std::tuple(1, 0u, nullptr));
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

TEST_F(PhoneBookViewTest, SelectionFollowsThePersonWhereListedAndNowhereElse) {
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
    EXPECT_EQ(listedIds(view_), std::vector<int32_t>{bo});
    EXPECT_EQ(view_.selection(), ListSelection{});  // filtered out, so cleared for good
    view_.setFilter("");
    EXPECT_EQ(view_.rowCount(), 3u);
    EXPECT_EQ(view_.selection(), ListSelection{});

    view_.selectRow(7);
    EXPECT_EQ(view_.selection(), ListSelection{});

    // A new person is selected only where listed.
    view_.chooseGroup(2);
    view_.selectRow(0);
    const int32_t bob = addPerson("Bob");  // in "All" only
    view_.refill();
    view_.select(bob);
    EXPECT_EQ(view_.selection(), (ListSelection{mia, 0}));
    view_.chooseGroup(1);
    view_.select(bob);
    EXPECT_EQ(view_.selection().id, bob);
}

TEST_F(PhoneBookViewTest, DeleteUnderAFilterMovesWithinTheListedRowsAsOneStep) {
    addPerson("Ann", "", "555-1000", {1}, "ann@x.org");
    addPerson("Bob", "", "555-2000", {1}, "bob@x.org");
    const int32_t cy = addPerson("Cy", "", "555-2001");
    const int32_t dee = addPerson("Dee", "", "555-2002", {1}, "dee@x.org");
    view_.refill();
    view_.setFilter("5552");
    EXPECT_EQ(listedIds(view_).size(), 3u);
    // Group mail goes to the listed addresses, top to bottom.
    EXPECT_EQ(view_.listedAddresses(), (std::vector<std::string>{"bob@x.org", "dee@x.org"}));
    view_.selectRow(2);
    ASSERT_EQ(view_.selection().id, dee);
    view_.setFilter("55520");  // narrowing keeps Dee
    view_.deleteSelectedPerson();
    view_.refill();
    EXPECT_EQ(view_.filterText(), "55520");
    EXPECT_EQ(view_.rowCount(), 2u);
    EXPECT_EQ(view_.selection(), (ListSelection{cy, 1}));
    EXPECT_EQ(history_.undoName(), "Delete Person");
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
    EXPECT_EQ(listedIds(view_), std::vector<int32_t>{bob});
    EXPECT_EQ(view_.selection(), (ListSelection{bob, 0}));
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
    for (int i = 0; i < 200; ++i) {
        Person p;
        p.setRName(text(6));
        p.setCompany(text(4));
        p.setWkPhone(text(6));
        p.setEMail(text(3));
        p.PhGroups = {static_cast<int32_t>(1 + random() % 2)};
        document_.add(p);
    }
    // A view that filters once, from nothing.
    const auto fresh = [&](int32_t group, const std::string& typed) {
        PhoneBookView view(bare_);
        view.refill();
        view.chooseGroup(group);
        view.setFilter(typed);
        return listedIds(view);
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
        ASSERT_EQ(listedIds(view_), fresh(view_.groupId(), typed))
            << "step " << step << " filter \"" << typed << "\" group " << view_.groupId();
    }
}

}  // namespace
