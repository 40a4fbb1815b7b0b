#include "records/PimDocument.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "support/CountingView.h"
#include "support/Records.h"

namespace {

class PimDocumentTest : public testing::Test {
protected:
    PimDocumentTest() { doc.attachView(view); }
    ~PimDocumentTest() override { doc.detachView(view); }

    Person personInGroups(std::vector<int32_t> groups) {
        Person person;
        person.LName = "Smith";
        person.PhGroups = std::move(groups);
        return person;
    }
    static Task task(int priority, DateTime due) { return taskDue("", due, priority); }

    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument doc{clock};
    CountingView view;
};

TEST_F(PimDocumentTest, AddsRecordsUnderNewIdentifiers) {
    doc.seedDefaultGroups();
    EXPECT_FALSE(doc.isModified()) << "seeding is not an edit";
    ASSERT_EQ(doc.phGroups().size(), 3u);
    EXPECT_EQ(doc.phGroups().find(3)->Desc, "Yellow Pages");

    view.changes = 0;
    EXPECT_EQ(doc.add(personInGroups({2, 1})), 1);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(view.changes, 1);
    EXPECT_EQ(doc.add(personInGroups({1})), 2);

    // Deleting the highest never hands its identifier out again.
    doc.remove<Person>(2);
    EXPECT_EQ(doc.add(personInGroups({1})), 3);
    EXPECT_EQ(doc.persons().lastId(), 3);
}

TEST_F(PimDocumentTest, StaleLastIdNeverLosesAnAddedRecord) {
    // A file may carry a LastID below identifiers it holds.
    Task loaded = task(Task::Low, DateTime::now(clock));
    loaded.ID = 5;
    PimContents contents;
    ASSERT_TRUE(contents.tasks.insert(loaded));
    contents.tasks.setLastId(2);
    doc.adoptContents(std::move(contents));

    const int32_t id = doc.add(task(Task::High, DateTime::now(clock)));
    EXPECT_EQ(id, 6);
    EXPECT_EQ(doc.tasks().size(), 2u);
    EXPECT_EQ(doc.tasks().find(5)->Priority, Task::Low);
}

TEST_F(PimDocumentTest, ReplaceMarksTheDocumentAndRefusesAStranger) {
    const int32_t id = doc.add(personInGroups({1}));
    doc.setModified(false);
    Person edited = *doc.persons().find(id);
    edited.FName = "Ann";
    EXPECT_TRUE(doc.replace(edited));
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.persons().find(id)->FName, "Ann");

    Person stranger = edited;
    stranger.ID = 99;
    EXPECT_FALSE(doc.replace(stranger));
    EXPECT_FALSE(doc.persons().contains(99));
}

TEST_F(PimDocumentTest, GroupsInUseAndDuplicateNames) {
    doc.seedDefaultGroups();
    doc.add(personInGroups({2, 1}));

    EXPECT_TRUE(doc.isGroupInUse(2));
    EXPECT_FALSE(doc.deleteGroup(2));
    EXPECT_FALSE(doc.deleteGroup(1));
    EXPECT_TRUE(doc.phGroups().contains(2));
    EXPECT_TRUE(doc.deleteGroup(3));
    EXPECT_FALSE(doc.phGroups().contains(3));

    EXPECT_TRUE(doc.isGroupDescTaken("White Pages", 0));
    EXPECT_FALSE(doc.isGroupDescTaken("White Pages", 2)) << "a group may keep its own name";
    EXPECT_FALSE(doc.isGroupDescTaken("white pages", 0)) << "names compare byte for byte";
}

TEST_F(PimDocumentTest, ResetAndNewEmptyEverything) {
    doc.seedDefaultGroups();
    doc.add(personInGroups({1}));
    doc.setUser(User{"Ann", "Smith", "", "", "", "", "", "", ""});
    doc.setPath("/tmp/home.pgr");
    EXPECT_EQ(view.lastPath, "/tmp/home.pgr");

    view.changes = 0;
    doc.makeNew();
    EXPECT_TRUE(doc.persons().empty());
    EXPECT_EQ(doc.phGroups().lastId(), 0);
    EXPECT_EQ(doc.user(), User{});
    EXPECT_EQ(doc.path(), "");
    EXPECT_EQ(view.lastPath, "");
    EXPECT_FALSE(doc.isModified());
    EXPECT_GE(view.changes, 1);
}

TEST_F(PimDocumentTest, CompactRemovesOnlyDoneTasksDueBeforeToday) {
    const DateTime today = DateTime::today(clock);
    doc.add(task(Task::Done, today - DateTimeSpan(1.0 / 1440)));
    doc.add(task(Task::Done, today));
    doc.add(task(Task::Medium, today - DateTimeSpan(10.0)));
    doc.setPath("/somewhere/home.pgr");

    std::string writtenTo;
    size_t tasksWritten = 0;
    const CompactResult result = doc.compact([&](const PimDocument& d, const std::string& path) {
        writtenTo = path;
        tasksWritten = d.tasks().size();
        return Status();
    });
    EXPECT_EQ(result.tasksRemoved, 1u);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(writtenTo, "/somewhere/home.pgr");
    EXPECT_EQ(tasksWritten, 2u) << "the write sees the compacted document";
    EXPECT_FALSE(doc.tasks().contains(1));
    EXPECT_EQ(doc.tasks().lastId(), 3);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(PimDocumentTest, CompactNeverReportsAFailedWriteAsSaved) {
    doc.add(task(Task::Done, DateTime::today(clock) - DateTimeSpan(3.0)));
    doc.setModified(false);

    // Without a path nothing is written; the caller asks for a name first.
    bool called = false;
    CompactResult result = doc.compact([&](const PimDocument&, const std::string&) {
        called = true;
        return Status();
    });
    EXPECT_FALSE(called);
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(doc.isModified()) << "the removed task is an unsaved change";

    doc.setPath("/read-only/home.pgr");
    result = doc.compact([](const PimDocument&, const std::string& path) {
        return Status::failure(FailureKind::Write, path, "Read-only file system");
    });
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(doc.isModified());
}

TEST(PimDocument, TellsViewsWhenItGoesAway) {
    FixedClock clock{LocalTime{2026, 12, 6, 0, 0, 0, 0}};
    CountingView view;
    {
        PimDocument doc(clock);
        doc.attachView(view);
    }
    EXPECT_TRUE(view.closed);
}

}  // namespace
