#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/CountingView.h"
#include "support/RecordingJournal.h"
#include "support/Records.h"

namespace {

// A document with a little of everything, LastIDs above the largest IDs.
PimContents sample(DateTime today) {
    PimContents c;
    c.seedDefaultGroups();
    for (const char* name : {"Ann", "Bo", "Cy"}) {
        c.persons.addNew(listedPerson(name, "", {2, 1}));
    }
    for (int priority : {Task::Done, Task::High, Task::Done}) {
        Task t = Task::createdAt(today - DateTimeSpan(2.0));
        t.Priority = priority;
        c.tasks.addNew(t);
    }
    c.appointments.addNew(Appointment::createdAt(today));
    c.persons.setLastId(7);
    c.user.FName = "Owner";
    return c;
}

TEST(DocumentEdit, EveryChangeReversesToTheDocumentBeforeItAndBack) {
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    const DateTime today = DateTime::today(clock);
    const auto edited = [](auto record, const char* text) {
        record.Description = text;
        return record;
    };
    const std::pair<const char*, std::function<void(PimDocument&)>> changes[] = {
        {"add", [](PimDocument& d) { d.add(Person{}); }},
        {"add many",
         [](PimDocument& d) { d.addMany(std::vector<Task>(1000, Task::createdAt(DateTime()))); }},
        {"replace", [&](PimDocument& d) { d.replace(edited(*d.tasks().find(2), "changed")); }},
        {"remove", [](PimDocument& d) { d.remove<Person>(2); }},
        {"replace one record twice",
         [&](PimDocument& d) {
             d.apply(RecordEdit<Task>(ReplaceRecords<Task>{
                 {edited(*d.tasks().find(2), "first"), edited(*d.tasks().find(2), "second")}}));
         }},
        {"owner",
         [](PimDocument& d) {
             d.setUser(User{"New", "Owner", "", "", "", "", "", "", ""});
         }},
        {"group", [](PimDocument& d) { d.deleteGroup(3); }},
        {"a group, a person filed in it and a removal as one change",
         [](PimDocument& d) {
             NewRecords<PhGroup> groups(d.phGroups());
             groups.add(PhGroup{0, "Friends"});
             NewRecords<Person> persons(d.persons());
             Person p;
             p.PhGroups = {groups.nextId() - 1, 1};
             persons.add(std::move(p));
             d.apply(EditSequence{{RecordEdit<PhGroup>(groups.edit()),
                                   RecordEdit<Person>(persons.edit()),
                                   RecordEdit<Task>(EraseRecords<Task>{{1}, d.tasks().lastId()})}});
         }},
        {"compact",
         [](PimDocument& d) {
             d.setPath("/nowhere/home.pgr");
             d.compact([](const PimDocument&, const std::string&) { return Status(); });
         }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        PimDocument doc(clock);
        RecordingJournal journal;
        doc.adoptContents(sample(today));
        doc.setJournal(&journal);
        const PimContents before = doc.contents();

        change(doc);
        ASSERT_EQ(journal.count, 1) << "one change, one reversal";
        const PimContents after = doc.contents();
        EXPECT_NE(after, before);

        doc.apply(std::move(*journal.last));
        EXPECT_EQ(doc.contents(), before);
        doc.apply(std::move(*journal.last));
        EXPECT_EQ(doc.contents(), after) << "the reversal of a reversal does the change again";
    }
}

TEST(DocumentEdit, ManyRecordsAreOneChangeThatViewsHearOnceUpToTheLastIdentifier) {
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument doc(clock);
    CountingView view;
    RecordingJournal journal;
    doc.attachView(view);
    doc.setJournal(&journal);

    EXPECT_EQ(doc.addMany(std::vector<Person>(500)), 500u);
    EXPECT_EQ(view.changes, 1);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.persons().lastId(), 500);
    const auto& erase = std::get<EraseRecords<Person>>(std::get<RecordEdit<Person>>(*journal.last));
    EXPECT_EQ(erase.ids.size(), 500u) << "the reversal names the records, it does not copy them";

    // Removing what is not there changes the document's state but nothing to reverse.
    doc.setModified(false);
    journal.count = 0;
    doc.remove<Person>(9999);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(journal.count, 0);

    doc.makeNew();
    EXPECT_EQ(journal.replaced, 1) << "a new document ends what could be reversed";
    doc.seedDefaultGroups();
    EXPECT_EQ(journal.replaced, 1) << "seeding a new document is not a new document again";
    doc.detachView(view);

    // Adds stop where the identifiers end.
    PimContents nearlyFull;
    nearlyFull.tasks.setLastId(INT32_MAX - 2);
    doc.adoptContents(std::move(nearlyFull));
    EXPECT_EQ(doc.addMany(std::vector<Task>(5)), 2u);
    EXPECT_EQ(doc.tasks().lastId(), INT32_MAX);
    EXPECT_EQ(doc.add(Task{}), 0);
    EXPECT_EQ(doc.tasks().size(), 2u);
}

}  // namespace
