#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "support/ScratchDir.h"
#include "sync/ItemCodec.h"
#include "sync/SyncState.h"
#include "sync/VCardPatch.h"

namespace {

const FixedClock kClock{LocalTime{2027, 3, 12, 10, 0, 0, 0}};

std::string card(const char* version, const std::string& lines) {
    return std::string("BEGIN:VCARD\r\nVERSION:") + version + "\r\nUID:u1\r\nN:Leap;Lena;;;\r\n" +
           lines + "END:VCARD\r\n";
}

TEST(PersonDaysSyncTest, DaysTravelAsFieldsOfTheirOwnInTheFormOfTheServersCard) {
    const AddressBookCodec codec(kClock);
    const ParsedItem parsed =
        codec.parse(card("3.0", "BDAY:1604-02-29\r\nX-ANNIVERSARY:2001-06-30\r\n"));
    ASSERT_EQ(parsed.records.size(), 1u);
    Fields fields = parsed.records[0].fields;
    EXPECT_EQ(std::pair(fields[kBirthdayField], fields[kAnniversaryField]),
              std::pair(std::string("--02-29"), std::string("2001-06-30")));

    // Changed here: the birthday moves, the anniversary goes, under either of its names.
    fields[kBirthdayField] = "1990-02-28";
    fields[kAnniversaryField] = "";
    std::vector<bool> changed(fields.size(), false);
    changed[kBirthdayField] = changed[kAnniversaryField] = true;
    const std::pair<const char*, const char*> servers[] = {{"3.0", "1990-02-28"},
                                                           {"4.0", "19900228"}};
    for (const auto& [version, day] : servers) {
        const std::string server = card(version,
                                        "BDAY;VALUE=date:--0229\r\nANNIVERSARY:20010630\r\n"
                                        "X-ANNIVERSARY:2001-06-30\r\n");
        EXPECT_EQ(patchVCard(server, fields, changed, "u1"),
                  card(version, std::string("BDAY;VALUE=date:") + day + "\r\n"));
    }
}

TEST(PersonDaysSyncTest, AStateFromBeforeTheDaysReadsWithBothEmpty) {
    ScratchDir dir;
    const std::string path = dir.file("home.state");
    std::string record = "R\tP\t7";
    for (int i = 0; i < 19; ++i)
        record += "\tf";
    writeBytes(path,
               "quillmate-sync-state 1\nC\taddressbook\tu\t\nI\th\te\tu\t0\n" + record + "\n");
    SyncState read;
    std::string warning;
    ASSERT_TRUE(loadSyncState(path, read, warning));
    EXPECT_EQ(warning, "");
    const Fields& base = read.collections.at("addressbook").items.at("h").records.at(0).base;
    ASSERT_EQ(base.size(), fieldNames(RecordKind::Person).size());
    EXPECT_EQ(std::pair(base[kBirthdayField], base[kAnniversaryField]),
              std::pair(std::string(), std::string()));
}

}  // namespace
