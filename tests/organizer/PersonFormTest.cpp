#include "organizer/PersonForm.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/Collect.h"

namespace {

class PersonFormTest : public testing::Test {
protected:
    void SetUp() override {
        document_.seedDefaultGroups();  // All 1, White Pages 2, Yellow Pages 3
        golf_ = document_.add(PhGroup{0, "golf"});
        bridge_ = document_.add(PhGroup{0, "Bridge"});
    }
    static std::vector<int32_t> chosen(const PersonForm& form) {
        std::vector<int32_t> ids;
        for (const GroupChoice& group : form.groups)
            if (group.chosen) ids.push_back(group.id);
        return ids;
    }

    FixedClock clock_{LocalTime{2026, 5, 10}};
    PimDocument document_{clock_};
    int32_t golf_ = 0, bridge_ = 0;
};

TEST_F(PersonFormTest, GroupListOffersEveryGroupButAllAndTheWrittenPersonGetsTheChosenThenAll) {
    PersonForm fresh = PersonForm::forNew(document_);
    EXPECT_EQ(collect(fresh.groups, &GroupChoice::desc),
              (std::vector<std::string>{"Bridge", "golf", "White Pages", "Yellow Pages"}));
    EXPECT_TRUE(chosen(fresh).empty());
    // Ok needs a first name, last name or company; a position alone is not enough.
    fresh.texts.Position = "Clerk";
    EXPECT_FALSE(fresh.canConfirm());
    fresh.texts.FName = " ";
    EXPECT_TRUE(fresh.canConfirm()) << "a blank is text like any other";
    fresh.texts.FName = "";
    // The display name is made afresh from the names.
    fresh.texts.LName = "Ames";
    fresh.texts.RName = "stale";
    EXPECT_EQ(fresh.written().RName(), "Ames");
    EXPECT_EQ(fresh.written().PhGroups, std::vector<int32_t>{1});

    Person stored;
    stored.ID = 4;
    stored.setLName("Ames");
    stored.PhGroups = {1, 3, golf_, 42};  // 42: a group that no longer exists
    PersonForm form = PersonForm::of(document_, stored);
    EXPECT_EQ(chosen(form), (std::vector<int32_t>{golf_, 3}));
    EXPECT_EQ(form.texts.LName, "Ames");
    // The groups follow the list's order, whatever order the person had them in.
    EXPECT_EQ(form.written().PhGroups, (std::vector<int32_t>{golf_, 3, 1}));
    EXPECT_TRUE(form.chooseGroup("Bridge"));
    EXPECT_EQ(form.written().PhGroups, (std::vector<int32_t>{bridge_, golf_, 3, 1}));
    EXPECT_EQ(form.written().ID, 4);

    // Groups are chosen by their exact description; All is not among them.
    EXPECT_FALSE(form.chooseGroup("bridge") || form.chooseGroup("All"));
    for (GroupChoice& group : form.groups)
        group.chosen = false;
    EXPECT_EQ(form.written().PhGroups, std::vector<int32_t>{1});
}

}  // namespace
