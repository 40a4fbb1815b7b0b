#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "sync/ItemCodec.h"
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
    Person person = parsed.records[0].record.person();
    EXPECT_EQ(std::pair(person.Birthday.text(), person.Anniversary.text()),
              std::pair(std::string("--02-29"), std::string("2001-06-30")));

    // Changed here: the birthday moves, the anniversary goes, under either of its names.
    person.Birthday = *MonthDay::parse("1990-02-28");
    person.Anniversary = MonthDay();
    const FieldKeys changed = {"Birthday", "Anniversary"};
    const std::pair<const char*, const char*> servers[] = {{"3.0", "1990-02-28"},
                                                           {"4.0", "19900228"}};
    for (const auto& [version, day] : servers) {
        const std::string server = card(version,
                                        "BDAY;VALUE=date:--0229\r\nANNIVERSARY:20010630\r\n"
                                        "X-ANNIVERSARY:2001-06-30\r\n");
        EXPECT_EQ(patchVCard(server, person, {}, changed, "u1"),
                  card(version, std::string("BDAY;VALUE=date:") + day + "\r\n"));
    }
}

}  // namespace
