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
// Enough records for several buckets of the index, walked both ways.
TEST(RecordStoreTest, ACopyStaysAsTakenWhileTheStoreChanges) {
    std::vector<std::string> descs;
    for (int i = 1; i <= 3000; ++i)
        descs.push_back("g" + std::to_string(i));
    RecordStore<PhGroup> store = groups(descs);
    const RecordStore<PhGroup> copy = store;
    const std::vector<std::string> taken = descsOf(copy);

    PhGroup renamed{2, "renamed"};
    ASSERT_TRUE(store.swap(renamed));
    EXPECT_EQ(renamed.Desc, "g2");
    auto node = store.extract(1500);
    ASSERT_FALSE(node.empty());
    for (int32_t id = 1024; id < 2048; ++id)
        ASSERT_EQ(store.erase(id), id != 1500) << id;
    store.erase(1);
    EXPECT_EQ(store.addNew(PhGroup{0, "new"}), 3001);
    EXPECT_EQ(store.size(), 3000u - 1024u);
    ASSERT_TRUE(store.adopt(node));
    EXPECT_EQ(descsOf(copy), taken);
    EXPECT_EQ(copy, groups(descs));
    EXPECT_NE(store, copy);
    EXPECT_TRUE(store.shares(copy, 1500)) << "taken out and put back, never copied";
    EXPECT_TRUE(store.shares(copy, 2999));
    EXPECT_FALSE(store.shares(copy, 2));

    std::vector<std::string> walked = descsOf(store), back;
    for (auto it = store.rbegin(); it != store.rend(); ++it)
        back.insert(back.begin(), std::to_string(it->first) + " " + it->second.Desc);
    EXPECT_EQ(back, walked);
    ASSERT_EQ(walked.size(), store.size());
    EXPECT_EQ(walked[0], "2 renamed");
    EXPECT_EQ(walked[1022], "1500 g1500") << "after 1023, before 2048";

    // With no copy left a record changes where it is, so that one found stays valid.
    RecordStore<PhGroup> alone = groups({"a"});
    const PhGroup* found = alone.find(1);
    PhGroup other{1, "z"};
    ASSERT_TRUE(alone.swap(other));
    EXPECT_EQ(found, alone.find(1));
    EXPECT_EQ(found->Desc, "z");
}
