#include <gtest/gtest.h>

#include "support/ScratchDir.h"
#include "sync/SyncState.h"

namespace {

TEST(SyncStateTest, ReadsBackWhatItWroteAndTakesABrokenFileForNone) {
    ScratchDir dir;
    const std::string path = dir.file("deep/er/home.state");
    SyncState state;
    state.foundFor = "http://127.0.0.1:1/\n\nwork";
    CollectionState& cards = state.collections["addressbook"];
    cards.url = "http://127.0.0.1:1/alice/contacts/";
    cards.token = "http://radicale.org/ns/sync/1%2";
    cards.readOnly = true;
    Fields base(fieldNames(RecordKind::Person).size());
    base[0] = "Ada\tAugusta";
    base[17] = "line one\r\nline two 100%";
    const SyncedItem& item = cards.items["/alice/contacts/a b.vcf"] =
        SyncedItem{"\"e1\"", "ada", false, {{RecordKind::Person, 7, base}}};
    ASSERT_TRUE(saveSyncState(path, state));

    SyncState read;
    std::string warning;
    ASSERT_TRUE(loadSyncState(path, read, warning));
    EXPECT_EQ(warning, "");
    const CollectionState& back = read.collections.at("addressbook");
    const SyncedItem& again = back.items.at("/alice/contacts/a b.vcf");
    EXPECT_EQ(std::tuple(read.foundFor, back.url, back.token, back.readOnly, again.etag, again.uid),
              std::tuple(state.foundFor, cards.url, cards.token, true, item.etag, item.uid));
    ASSERT_EQ(again.records.size(), 1u);
    EXPECT_EQ(std::pair(again.records[0].id, again.records[0].base), std::pair(7, base));

    // A state written before appointments held their schedule reads as holding none.
    writeBytes(path,
               "quillmate-sync-state 1\nC\tcalendar\tu\t\nI\th\te\tu\t0\n"
               "R\tA\t3\tYoga\t2026-12-07 10:00:00\t2026-12-07 11:00:00\t\n");
    ASSERT_TRUE(loadSyncState(path, read, warning));
    EXPECT_EQ(read.collections.at("calendar").items.at("h").records.at(0).base,
              (Fields{"Yoga", "2026-12-07 10:00:00", "2026-12-07 11:00:00", "", ""}));

    // A state cut short or from elsewhere costs a full compare, said once; none says nothing.
    const std::pair<const char*, const char*> broken[] = {
        {"another file", "[general]\n"},
        {"a record with too few fields",
         "quillmate-sync-state 1\nC\taddressbook\tu\t\nI\th\te\tu\t0\nR\tP\t7\tAda\n"},
        {"a record of no kind",
         "quillmate-sync-state 1\nC\taddressbook\tu\t\nI\th\te\tu\t0\nR\tX\t7\n"},
        {"no file", nullptr},
    };
    for (const auto& [label, text] : broken) {
        if (text) writeBytes(path, text);
        warning.clear();
        ASSERT_TRUE(loadSyncState(text ? path : dir.file("none"), read, warning)) << label;
        EXPECT_TRUE(read.collections.empty()) << label;
        EXPECT_EQ(warning,
                  text ? path + ": the sync state cannot be read; every item is compared anew" : "")
            << label;
    }
}

}  // namespace
