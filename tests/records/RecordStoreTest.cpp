#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/PhGroup.h"
#include "records/RecordStore.h"

namespace {

RecordStore<PhGroup> groups(std::vector<std::string> descs) {
    RecordStore<PhGroup> store;
    for (std::string& desc : descs)
        store.addNew(PhGroup{0, std::move(desc)});
    return store;
}

std::vector<std::string> descsOf(const RecordStore<PhGroup>& store) {
    std::vector<std::string> descs;
    for (const auto& [id, group] : store)
        descs.push_back(std::to_string(id) + " " + group.Desc);
    return descs;
}

}  // namespace

// A copy is what the recovery copy's thread reads while the window edits: every kind of
// change leaves it as it was taken, and costs the store only the records it touches.
TEST(RecordStoreTest, ACopyStaysAsTakenWhileTheStoreChanges) {
    RecordStore<PhGroup> store = groups({"a", "b", "c", "d"});
    const RecordStore<PhGroup> copy = store;
    const std::vector<std::string> taken = descsOf(copy);

    PhGroup renamed{2, "b renamed"};
    ASSERT_TRUE(store.swap(renamed));
    EXPECT_EQ(renamed.Desc, "b");
    auto node = store.extract(3);
    ASSERT_FALSE(node.empty());
    store.erase(1);
    store.addNew(PhGroup{0, "e"});
    EXPECT_EQ(descsOf(store), (std::vector<std::string>{"2 b renamed", "4 d", "5 e"}));
    ASSERT_TRUE(store.adopt(node));
    EXPECT_EQ(descsOf(copy), taken);
    EXPECT_TRUE(store.shares(copy, 3)) << "taken out and put back, never copied";
    EXPECT_TRUE(store.shares(copy, 4));
    EXPECT_FALSE(store.shares(copy, 2));
    EXPECT_NE(store, copy);
    EXPECT_EQ(copy, groups({"a", "b", "c", "d"}));

    // With no copy left a record changes where it is, so that one found stays valid.
    RecordStore<PhGroup> alone = groups({"a"});
    const PhGroup* found = alone.find(1);
    PhGroup other{1, "z"};
    ASSERT_TRUE(alone.swap(other));
    EXPECT_EQ(found, alone.find(1));
    EXPECT_EQ(found->Desc, "z");
}
