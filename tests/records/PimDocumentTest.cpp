#include "records/PimDocument.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "platform/Clock.h"
#include "support/AllocationFailure.h"
#include "support/CountingView.h"
#include "support/Records.h"

namespace {

class PimDocumentTest : public testing::Test {
protected:
    PimDocumentTest() { doc.attachView(view); }
    ~PimDocumentTest() override { doc.detachView(view); }

    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument doc{clock};
    CountingView view;
};

TEST_F(PimDocumentTest, AddsUnderNewIdentifiersEvenAfterAStaleLastIdAndReplacesOnlyWhatItHolds) {
    doc.seedDefaultGroups();
    EXPECT_FALSE(doc.isModified()) << "seeding is not an edit";
    EXPECT_EQ(doc.phGroups().find(3)->Desc, "Yellow Pages");
    view.changes = 0;
    EXPECT_EQ(doc.add(listedPerson("Smith", "", {2, 1})), 1);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(view.changes, 1);
    EXPECT_EQ(doc.add(listedPerson("Smith", "", {1})), 2);
    doc.remove<Person>(2);
    EXPECT_EQ(doc.add(listedPerson("Smith", "", {1})), 3)
        << "the highest deleted is never handed out again";
    EXPECT_EQ(doc.persons().lastId(), 3);

    doc.setModified(false);
    Person edited = *doc.persons().find(1);
    edited.setFName("Ann");
    EXPECT_TRUE(doc.replace(edited));
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.persons().find(1)->FName(), "Ann");
    edited.ID = 99;
    EXPECT_FALSE(doc.replace(edited));
    EXPECT_FALSE(doc.persons().contains(99));

    // A file may carry a LastID below identifiers it holds.
    Task loaded = taskDue("", DateTime::now(clock), Task::Low);
    loaded.ID = 5;
    PimContents contents;
    ASSERT_TRUE(contents.tasks.insert(loaded));
    contents.tasks.setLastId(2);
    doc.adoptContents(std::move(contents));
    EXPECT_EQ(doc.add(taskDue("", DateTime::now(clock), Task::High)), 6);
    EXPECT_EQ(doc.tasks().size(), 2u);
    EXPECT_EQ(doc.tasks().find(5)->Priority, Task::Low);

    // Adds stop where the identifiers end; many records are one change.
    PimContents nearlyFull;
    nearlyFull.tasks.setLastId(INT32_MAX - 2);
    doc.adoptContents(std::move(nearlyFull));
    view.changes = 0;
    EXPECT_EQ(doc.addMany(std::vector<Task>(5)), 2u);
    EXPECT_EQ(view.changes, 1);
    EXPECT_EQ(doc.add(Task{}), 0);
    EXPECT_EQ(doc.tasks().lastId(), INT32_MAX);
}

TEST_F(PimDocumentTest, GroupsInUseAndDuplicateNames) {
    doc.seedDefaultGroups();
    doc.add(listedPerson("Smith", "", {2, 1}));
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

TEST_F(PimDocumentTest, NewEmptiesEverythingAndViewsHearOfPathAndEnd) {
    doc.seedDefaultGroups();
    doc.add(listedPerson("Smith", "", {1}));
    doc.setUser(User{"Ann", "Smith", "", "", "", "", "", "", ""});
    doc.setPath("/tmp/home.pgr");
    EXPECT_EQ(view.lastPath, "/tmp/home.pgr");
    view.changes = 0;
    doc.makeNew();
    EXPECT_TRUE(doc.contents() == PimContents{});
    EXPECT_EQ(doc.path(), "");
    EXPECT_EQ(view.lastPath, "");
    EXPECT_FALSE(doc.isModified());
    EXPECT_GE(view.changes, 1);

    CountingView other;
    std::make_unique<PimDocument>(clock)->attachView(other);
    EXPECT_TRUE(other.closed) << "a document going away tells its views";
}

TEST_F(PimDocumentTest, CompactRemovesOnlyDoneTasksDueBeforeTodayAndSavesOnlyWhenItCan) {
    const DateTime today = DateTime::today(clock);
    doc.add(taskDue("", today - DateTimeSpan(1.0 / 1440), Task::Done));
    doc.add(taskDue("", today, Task::Done));
    doc.add(taskDue("", today - DateTimeSpan(10.0), Task::Medium));
    Appointment series = appointmentAt("", today - DateTimeSpan(30.0), today - DateTimeSpan(30.0));
    series.Done = true;
    series.schedule.edit().rule = RecurrenceRule::parse("FREQ=WEEKLY;COUNT=2");
    doc.add(series);
    // Without a path nothing is written; the caller asks for a name first.
    bool called = false;
    CompactResult result = doc.compact([&](const PimDocument&, const std::string&) {
        called = true;
        return Status();
    });
    EXPECT_EQ(result.tasksRemoved, 1u);
    EXPECT_FALSE(called || result.written);
    EXPECT_TRUE(doc.isModified());
    EXPECT_FALSE(doc.tasks().contains(1));
    EXPECT_EQ(doc.tasks().lastId(), 3);

    doc.add(taskDue("", today - DateTimeSpan(3.0), Task::Done));
    doc.setPath("/read-only/home.pgr");
    result = doc.compact([](const PimDocument&, const std::string& path) {
        return Status::failure(FailureKind::Write, path, "Read-only file system");
    });
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(doc.isModified()) << "a failed write is no save";

    doc.add(taskDue("", today - DateTimeSpan(3.0), Task::Done));
    std::pair<std::string, size_t> written;  // where, and how many tasks
    result = doc.compact([&](const PimDocument& d, const std::string& path) {
        written = {path, d.tasks().size()};
        return Status();
    });
    EXPECT_TRUE(result.written);
    EXPECT_EQ(written, (std::pair<std::string, size_t>("/read-only/home.pgr", 2)))
        << "the write sees the compacted document";
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.appointments().size(), 1u) << "a done series long past is no task";
}

// An edit that runs out of memory half-way (a bucket of the index or a record that a copy
// still shares cannot be taken) leaves the document as it was, as does any edit.
TEST_F(PimDocumentTest, AnEditThatRunsOutOfMemoryHalfWayChangesNothing) {
    doc.detachView(view);  // telling views needs memory of its own
    const DateTime due = DateTime::fromFields(2026, 12, 6, 10, 0);
    std::vector<Task> tasks;
    for (int i = 1; i <= 3000; ++i)
        tasks.push_back(taskDue("t" + std::to_string(i), due));
    doc.addMany(std::move(tasks));
    const PimContents first = doc.contents();

    const std::vector<std::function<RecordEdit<Task>()>> edits = {
        [] {
            return EraseRecords<Task>{{2999, 1, 1500, 2000}, 3000};
        },
        [&] {
            ReplaceRecords<Task> replace;
            for (const int32_t id : {5, 1030, 2050})
                replace.records.push_back(taskDue("changed", due)), replace.records.back().ID = id;
            return replace;
        },
        [&] {
            InsertRecords<Task> insert{{}, 5100};
            for (int32_t id = 3001; id <= 5100; id += 7)
                insert.records.emplace(id, std::make_shared<Task>(taskDue("new", due)));
            return insert;
        },
    };
    for (const auto& edit : edits) {
        const PimContents before = doc.contents();  // shares every bucket and record
        for (size_t allowed = 0;; ++allowed) {
            RecordEdit<Task> change = edit();
            bool struck = false;
            try {
                const AllocationFailure failure(allowed);
                doc.apply(std::move(change));
                struck = failure.struck();
            } catch (const std::bad_alloc&) {
                struck = true;
                ASSERT_EQ(doc.contents(), before) << "failed after " << allowed;
            }
            if (!struck) break;
        }
        EXPECT_NE(doc.contents(), before);
    }
    EXPECT_EQ(doc.tasks().size(), 3000u - 4u + 300u);
    EXPECT_EQ(first.tasks.size(), 3000u);
    EXPECT_EQ(first.tasks.find(1030)->Description, "t1030");
}

TEST(Person, DisplayNameJoinsLastAndFirstName) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"both names", "Smith", "Ann", "Smith, Ann"},
        {"first name alone", "", "Ann", "Ann"},
        {"last name alone", "Smith", "", "Smith"},
        {"neither", "", "", ""},
    };
    for (const auto& [label, last, first, display] : cases) {
        Person person;
        person.setLName(last);
        person.setFName(first);
        EXPECT_EQ(person.displayName(), display) << label;
    }
}

TEST(Person, EachTextKeepsItsOwnBytesThroughEveryChangeCopyAndMove) {
    Person person;
    EXPECT_NE(person.FName().data(), nullptr) << "callers copy from an empty text too";
    // Every field set in turn, growing, shrinking and emptying the ones around it.
    std::string expected[kPersonTextCount];
    for (size_t round = 0; round < 3; ++round) {
        for (size_t i = 0; i < kPersonTextCount; ++i) {
            const size_t at = (i * 7 + round) % kPersonTextCount;
            expected[at] = round == 2 ? "" : std::string(i + round * 5, char('a' + at));
            person.setText(PersonText(at), expected[at]);
            for (size_t j = 0; j < kPersonTextCount; ++j)
                ASSERT_EQ(person.text(PersonText(j)), expected[j]) << round << " " << i << " " << j;
        }
    }
    EXPECT_EQ(person, Person()) << "emptied again, it equals a new person";

    person.setNotes("line one\r\nline two");
    person.setFName("Ann");
    person.setRName(person.FName());  // a value from the person's own texts
    person.setLName(person.Notes().substr(5, 3));
    EXPECT_EQ(person.displayName(), "one, Ann");
    EXPECT_EQ(person.RName(), "Ann");

    const Person copy = person;
    Person moved = Person(copy);
    EXPECT_EQ(copy, person);
    EXPECT_EQ(moved, person);
    Person emptied = std::move(moved);
    EXPECT_EQ(moved.text(PersonText::Notes), "") << "a moved-from person is empty, not broken";
    moved = emptied;
    person.setCity("Bern");
    EXPECT_NE(moved, person) << "copies are apart";
    EXPECT_EQ(moved.City(), "");
}

}  // namespace
