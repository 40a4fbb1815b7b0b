#include "records/UndoHistory.h"

#include <gtest/gtest.h>

#include <functional>

#include "docfile/DocumentWriter.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/FixedLocale.h"
#include "support/Records.h"
#include "textio/TextImport.h"
#include "textio/TextTransferSpec.h"

namespace {

// Imports one task per line.
int32_t importTasks(PimDocument& doc, const std::string& lines) {
    TextTransferSpec spec = makeImportSpec(TransferKind::Tasks);
    spec.columnFields = {"Task"};
    spec.columnCount = 1;
    spec.separator = ",";
    return importText(TransferKind::Tasks, doc, spec, lines, FixedLocale()).added;
}

class UndoHistoryTest : public testing::Test {
protected:
    void SetUp() override {
        doc.seedDefaultGroups();
        doc.add(listedPerson("Ann", "", {2, 1}));
        doc.add(taskDue("", DateTime::fromFields(2026, 1, 1), Task::Done));
        doc.add(Task::createdAt(DateTime::now(clock)));
        doc.add(Appointment::createdAt(DateTime::now(clock)));
        doc.setModified(false);
        history.clear();
    }

    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument doc{clock};
    UndoHistory history{doc};
};

TEST_F(UndoHistoryTest, EveryChangeUndoesAndRedoesToTheSameBytesInTheOrderItsEditsWereMade) {
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"Add Task", [&] { doc.add(Task::createdAt(DateTime::now(clock))); }},
        {"Delete Group", [&] { doc.deleteGroup(3); }},
        {"Delete Person", [&] { doc.remove<Person>(1); }},
        {"Edit Task",  // one record replaced twice in one edit comes back whole
         [&] {
             Task first = *doc.tasks().find(2), second = first;
             first.Description = "first";
             second.Description = "second";
             doc.apply(RecordEdit<Task>(ReplaceRecords<Task>{{first, second}}));
         }},
        {"Edit User",
         [&] {
             doc.setUser(User{"New", "Owner", "", "", "", "", "", "", ""});
         }},
        {"Delete Task",  // a group, a person filed in it and the main edit last, as one change
         [&] {
             NewRecords<PhGroup> groups(doc.phGroups());
             groups.add(PhGroup{0, "Friends"});
             NewRecords<Person> persons(doc.persons());
             persons.add(listedPerson("Bo", "", {groups.nextId() - 1, 1}));
             doc.apply(EditSequence{
                 {RecordEdit<PhGroup>(groups.edit()), RecordEdit<Person>(persons.edit()),
                  RecordEdit<Task>(EraseRecords<Task>{{2}, doc.tasks().lastId()})}});
         }},
        {"Import Tasks",
         [&] {
             UndoHistory::Step step(history, UndoStep::ImportTasks);
             importTasks(doc, "one\ntwo\nthree\n");
         }},
        {"Compact",
         [&] {
             doc.setPath("/nowhere/x.pgr");
             UndoHistory::Step step(history, UndoStep::Compact);
             doc.compact([](const PimDocument&, const std::string&) { return Status(); });
         }},
    };
    const std::string start = formatDocument(doc);
    for (const auto& [name, change] : changes) {
        const std::string before = formatDocument(doc);
        change();
        const std::string after = formatDocument(doc);
        ASSERT_NE(before, after) << name;
        EXPECT_EQ(history.undoName(), name);
        history.undo();
        EXPECT_EQ(formatDocument(doc), before) << name;
        EXPECT_EQ(history.redoName(), name);
        history.redo();
        EXPECT_EQ(formatDocument(doc), after) << name;
    }
    // Each change was one step: undoing them all gives back the start.
    for (size_t i = 0; i < changes.size(); ++i)
        history.undo();
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(formatDocument(doc), start);

    // A step of several edits redoes them in the order they were made.
    const std::string before = formatDocument(doc);
    {
        UndoHistory::Step step(history, UndoStep::ImportTasks);
        for (const char* text : {"first", "second"}) {
            Task task = *doc.tasks().find(2);
            task.Description = text;
            doc.replace(task);
        }
        importTasks(doc, "third\nfourth\n");
    }
    const std::string after = formatDocument(doc);
    const Task* stored = doc.tasks().find(doc.tasks().lastId());
    for (int round = 0; round < 2; ++round) {
        history.undo();
        EXPECT_EQ(formatDocument(doc), before);
        history.redo();
        EXPECT_EQ(formatDocument(doc), after);
    }
    EXPECT_EQ(doc.tasks().find(2)->Description, "second");
    EXPECT_EQ(doc.tasks().find(doc.tasks().lastId()), stored) << "records are moved, not copied";
}

TEST_F(UndoHistoryTest, ModifiedFlagFollowsTheSavedState) {
    doc.remove<Person>(9999);
    EXPECT_FALSE(history.canUndo()) << "removing what is not there is nothing to undo";
    doc.add(Task::createdAt(DateTime::now(clock)));  // A
    doc.setModified(false);                          // saved after A
    doc.remove<Task>(1);                             // B
    EXPECT_TRUE(doc.isModified());
    // Undo, undo, redo, redo: modified only away from the save.
    for (const auto& [undo, modified] :
         {std::pair{true, false}, {true, true}, {false, false}, {false, true}}) {
        undo ? history.undo() : history.redo();
        EXPECT_EQ(doc.isModified(), modified) << (undo ? "undo" : "redo");
    }

    // A new change after undoing past the save makes the saved state unreachable.
    history.undo();
    history.undo();
    doc.add(Task::createdAt(DateTime::now(clock)));
    EXPECT_FALSE(history.canRedo());
    history.undo();
    EXPECT_TRUE(doc.isModified());

    // Opening another document forgets every step.
    doc.resetContents();
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(doc.isModified());
    doc.makeNew();
    doc.add(Task::createdAt(DateTime::now(clock)));
    doc.seedDefaultGroups();
    EXPECT_TRUE(history.canUndo()) << "seeding a new document keeps its history";
}

}  // namespace
