#include <gtest/gtest.h>

#include <functional>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "support/Records.h"
#include "sync/SyncApply.h"
#include "sync/SyncStateHistory.h"

// A sync runs over a copy of the records while the user goes on editing the open document;
// its outcome comes in as one step, the user's edits winning.

namespace {

int32_t idOf(const PimDocument& document, const std::string& name) {
    for (const auto& [id, person] : document.persons())
        if (person.RName() == name) return id;
    return 0;
}

void edit(PimDocument& document, const char* name, const std::function<void(Person&)>& change) {
    Person person = *document.persons().find(idOf(document, name));
    change(person);
    document.replace(person);
}

SyncState stateNaming(int32_t personId) {
    SyncState state;
    state.collections["addressbook"].items["/d.vcf"] = {
        "\"1\"", "d", false, {{RecordKind::Person, personId, {}}}};
    return state;
}

TEST(SyncApplyTest, BringsInTheSyncsChangesKeepingWhatTheUserDidMeanwhile) {
    FixedClock clock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};
    PimDocument live(clock);
    UndoHistory history(live);
    live.seedDefaultGroups();
    for (const char* name : {"Ada", "Bea", "Cy"})
        live.add(listedPerson(name));
    const PimContents before = live.contents();

    // What the sync made of its copy: Ada changed, Bea and Cy deleted, Dot brought down in a
    // new group.
    PimDocument copy(clock);
    copy.adoptContents(PimContents(before));
    edit(copy, "Ada", [](Person& p) { p.setWkPhone("555-0101"); });
    copy.remove<Person>(idOf(copy, "Bea"));
    copy.remove<Person>(idOf(copy, "Cy"));
    const int32_t friendsId = copy.add(PhGroup{0, "Friends"});
    Person dot = listedPerson("Dot");
    dot.PhGroups = {1, friendsId};
    const int32_t dotId = copy.add(dot);
    SyncState state = stateNaming(dotId);

    // Meanwhile the user changed Cy and added Eve and a group, taking the IDs the sync used.
    edit(live, "Cy", [](Person& p) { p.setNotes("call back"); });
    live.add(PhGroup{0, "Work"});
    live.add(listedPerson("Eve"));
    ASSERT_EQ(idOf(live, "Eve"), dotId);

    int kept = 0;
    {
        const UndoHistory::Step step(history, UndoStep::Synchronize);
        kept = applySyncedCopy(live, before, copy.contents(), SyncState(), state);
    }
    EXPECT_EQ(kept, 1) << "Cy, changed here, is not deleted";
    EXPECT_EQ(live.persons().find(idOf(live, "Ada"))->WkPhone(), "555-0101");
    EXPECT_EQ(std::pair(idOf(live, "Bea"), idOf(live, "Eve")), std::pair(0, dotId));
    EXPECT_EQ(live.persons().find(idOf(live, "Cy"))->Notes(), "call back");
    const int32_t dotNow = idOf(live, "Dot");
    ASSERT_NE(dotNow, 0);
    EXPECT_NE(dotNow, dotId);
    EXPECT_EQ(state.collections["addressbook"].items["/d.vcf"].records[0].id, dotNow)
        << "the state follows the new ID";
    const std::vector<int32_t>& groups = live.persons().find(dotNow)->PhGroups;
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(live.phGroups().find(groups[1])->Desc, "Friends");
    EXPECT_EQ(live.phGroups().size(), 5u);

    // One undo takes back the sync, and nothing of the user's.
    history.undo();
    EXPECT_EQ(std::pair(idOf(live, "Dot"), idOf(live, "Eve")), std::pair(0, dotId));
    EXPECT_NE(idOf(live, "Bea"), 0);
    EXPECT_EQ(live.persons().find(idOf(live, "Ada"))->WkPhone(), "");
    EXPECT_EQ(live.persons().find(idOf(live, "Cy"))->Notes(), "call back");
}

// A record the sync changed while the user changed or deleted it keeps its state as the sync
// started, so that the next sync sees both sides changed and merges them.
TEST(SyncApplyTest, ARecordBothSidesChangedKeepsItsStateAsTheSyncStarted) {
    FixedClock clock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};
    PimDocument live(clock);
    for (const char* name : {"Ada", "Bea", "Cy", "Dee", "Eve"})
        live.add(listedPerson(name));
    const PimContents before = live.contents();
    const auto item = [](int32_t id, const char* etag, const char* base) {
        Person seen;
        seen.setFName(base);
        return SyncedItem{etag, "", false, {{RecordKind::Person, id, SyncRecord(seen)}}};
    };
    SyncState started, state;
    started.collections["addressbook"].url = state.collections["addressbook"].url = "/book/";
    auto& was = started.collections["addressbook"].items;
    auto& now = state.collections["addressbook"].items;
    for (const char* name : {"Ada", "Bea", "Dee", "Eve"}) {
        was["/" + std::string(name)] = item(idOf(live, name), "\"1\"", "old");
        now["/" + std::string(name)] = item(idOf(live, name), "\"2\"", "new");
    }
    now.erase("/Eve");                                    // deleted on the server
    now["/Cy"] = item(idOf(live, "Cy"), "\"5\"", "new");  // tied during the sync

    PimDocument copy(clock);
    copy.adoptContents(PimContents(before));
    for (const char* name : {"Ada", "Bea", "Cy", "Dee"})
        edit(copy, name, [](Person& p) { p.setWkPhone("555-0101"); });
    copy.remove<Person>(idOf(copy, "Eve"));
    for (const char* name : {"Ada", "Cy", "Eve"})
        edit(live, name, [](Person& p) { p.setNotes("changed here"); });
    live.remove<Person>(idOf(live, "Bea"));

    EXPECT_EQ(applySyncedCopy(live, before, copy.contents(), started, state), 3);
    // Each item's ETag and base afterwards.
    const std::pair<const char*, const char*> rows[] = {
        {"/Ada", "\"1\" old"},  // changed here
        {"/Bea", "\"1\" old"},  // deleted here
        {"/Cy", " new"},        // tied during the sync
        {"/Dee", "\"2\" new"},  // untouched here
        {"/Eve", "\"1\" old"},  // changed here, deleted there
    };
    for (const auto& [href, expected] : rows) {
        ASSERT_TRUE(now.contains(href)) << href;
        EXPECT_EQ(now[href].etag + " " + std::string(now[href].records[0].base.person().FName()),
                  expected)
            << href;
    }
}

TEST(SyncApplyTest, StateFollowsTheSyncStepThroughUndoAndRedo) {
    FixedClock clock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};
    PimDocument document(clock);
    UndoHistory history(document);
    SyncStateHistory states;
    states.reset(stateNaming(1));
    const auto mapped = [&] { return states.current(history).collections.begin()->second.items; };
    const auto stepAdding = [&](const char* name) {
        const UndoHistory::Step step(history, UndoStep::Synchronize);
        document.add(listedPerson(name));
        return history.newestStep();
    };

    const uint64_t first = stepAdding("Ada");
    states.synced(history, first, stateNaming(1), stateNaming(2));
    EXPECT_EQ(mapped().begin()->second.records[0].id, 2);
    history.undo();
    EXPECT_EQ(mapped().begin()->second.records[0].id, 1) << "undone: the state before it";
    history.redo();
    EXPECT_EQ(mapped().begin()->second.records[0].id, 2) << "redone: the state after it";

    // A sync that changed no record moves the state on by itself.
    states.synced(history, 0, stateNaming(2), stateNaming(3));
    EXPECT_EQ(mapped().begin()->second.records[0].id, 3);

    // Undone, then out of reach of redo: the state before it for good.
    history.undo();
    EXPECT_EQ(mapped().begin()->second.records[0].id, 1);
    document.add(listedPerson("Bea"));
    EXPECT_EQ(mapped().begin()->second.records[0].id, 1);
    history.undo();
    EXPECT_EQ(mapped().begin()->second.records[0].id, 1);
}

}  // namespace
