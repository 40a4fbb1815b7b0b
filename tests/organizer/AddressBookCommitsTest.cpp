#include "organizer/AddressBookCommits.h"

#include <gtest/gtest.h>

#include "records/DocumentDoor.h"

#include "organizer/GroupTexts.h"
#include "organizer/PersonForm.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"

namespace {

class AddressBookCommits : public testing::Test {
protected:
    void SetUp() override { document_.seedDefaultGroups(); }  // All 1, White 2, Yellow 3
    std::string descOf(int32_t id) const { return document_.phGroups().find(id)->Desc; }

    FixedClock clock_{LocalTime{2026, 5, 10}};
    PimDocument document_{clock_};
    UndoHistory history_{document_};
    DocumentDoor door_{document_, &history_};
};

TEST_F(AddressBookCommits, PersonIsAddedAndEditedAsOneNamedStepEach) {
    PersonForm form = PersonForm::forNew(document_);
    EXPECT_EQ(addPerson(door_, form), 0) << "no name, no company";
    EXPECT_FALSE(document_.isModified() || history_.canUndo());
    form.texts.Company = "Acme";
    const int32_t id = addPerson(door_, form);
    ASSERT_NE(id, 0);
    EXPECT_EQ(history_.undoName(), "Add Person");

    PersonForm edit = PersonForm::of(document_, *document_.persons().find(id));
    edit.texts.LName = "Ames";
    ASSERT_TRUE(updatePerson(door_, edit));
    EXPECT_EQ(history_.undoName(), "Edit Person");
    EXPECT_EQ(document_.persons().find(id)->RName(), "Ames");
    history_.undo();
    history_.undo();
    EXPECT_FALSE(updatePerson(door_, edit)) << "gone: nothing to update";
    EXPECT_FALSE(history_.canUndo());
}

TEST_F(AddressBookCommits, GroupChangesAreStepsUnlessTheNameIsTakenOrTheGroupInUse) {
    const std::tuple<const char*, GroupChange> adds[] = {{"White Pages", GroupChange::Duplicate},
                                                         {"Golf", GroupChange::Done},
                                                         {"Golf", GroupChange::Duplicate}};
    for (const auto& [desc, result] : adds)
        EXPECT_EQ(addGroup(door_, desc), result) << "add " << desc;
    EXPECT_EQ(history_.undoName(), "Add Group");
    const std::tuple<const char*, GroupChange> renames[] = {
        {"Yellow Pages", GroupChange::Done},  // its own description
        {"White Pages", GroupChange::Duplicate},
        {"Pages", GroupChange::Done}};
    for (const auto& [desc, result] : renames)
        EXPECT_EQ(renameGroup(door_, 3, desc), result) << "rename " << desc;
    EXPECT_EQ(history_.undoName(), "Edit Group");
    history_.undo();
    EXPECT_EQ(descOf(3), "Yellow Pages");
    EXPECT_EQ(renameGroup(door_, 99, "Nobody"), GroupChange::Missing);

    PersonForm form = PersonForm::forNew(document_);
    form.texts.FName = "Ann";
    ASSERT_TRUE(form.chooseGroup("White Pages"));
    ASSERT_NE(addPerson(door_, form), 0);
    document_.setModified(false);
    history_.clear();
    for (const int32_t id : {1, 2}) {
        EXPECT_EQ(groupDeletion(document_, id), GroupChange::InUse) << id;
        EXPECT_EQ(deleteGroup(door_, id), GroupChange::InUse) << id;
    }
    EXPECT_FALSE(document_.isModified() || history_.canUndo()) << "a refusal changes nothing";
    EXPECT_EQ(groupDeletion(document_, 3), GroupChange::Done);
    EXPECT_EQ(deleteGroup(door_, 3), GroupChange::Done);
    EXPECT_EQ(history_.undoName(), "Delete Group");
    EXPECT_EQ(deleteGroup(door_, 3), GroupChange::Missing);
    history_.undo();
    EXPECT_EQ(descOf(3), "Yellow Pages");

    EXPECT_EQ(duplicateGroupMessage("Golf"),
              "Golf is already listed in the table of Adress Book Groups.\n"
              "Please enter a different description.");
    EXPECT_FALSE(canConfirmGroupDesc(""));
    EXPECT_TRUE(canConfirmGroupDesc(" "));
}

}  // namespace
