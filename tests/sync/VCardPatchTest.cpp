#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "support/JoinedFields.h"
#include "sync/ItemCodec.h"
#include "sync/SyncFields.h"

namespace {

std::string repeated(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// A server's card with our changes written in must read back as exactly the record we sent,
// whatever the card's version and shape: otherwise the next sync takes the difference for
// the other side's edit, and the server keeps a mangled copy.
TEST(VCardPatchTest, APatchedCardReadsBackAsTheRecordSent) {
    const FixedClock clock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};
    const AddressBookCodec codec(clock);
    struct Row {
        const char* label;
        std::string card;
        std::vector<std::pair<std::string_view, std::string>> changes;
        std::string uid = "";  // the card's own, not its agent's
    } rows[] = {
        // Version 2.1 has no backslash escapes but for ";", nor lists: a line break goes
        // quoted-printable, a backslash before a ";" (the city's, the kept box's) a blank.
        {"a version 2.1 card",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Berg;Ann\r\nTEL;HOME:1\r\nADR:PO Box 7\\\r\n"
         "END:VCARD\r\n",
         {{"Addr1", "Main St, 4"},
          {"Addr2", "Floor 2; back"},
          {"City", "Lund\\"},
          {"Notes",
           "a, b\\c\r\nthe yellow house über the bakery; then the second gate on the left"},
          {"Company", "Fjord; AB"}}},
        // A quoted-printable line kept as it was, long enough to be broken where an "=" is.
        {"a long quoted-printable line kept",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Berg;Ann\r\nNOTE;ENCODING=QUOTED-PRINTABLE:x" +
             repeated("=C3=BC", 20) + "\r\nEND:VCARD\r\n",
         {{"Position", "Lead"}}},
        // The card ends where the reader ends it: not at a lower-case end, nor at the end of
        // a card inside it; lines after that are kept.
        {"an end in lower case",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Berg\r\nN:Berg;Ann;;;\r\nend:vcard\r\n",
         {{"EMail", "ann@example.org"}}},
        {"an agent's card inside",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Berg;Ann\r\nAGENT:\r\nBEGIN:VCARD\r\nVERSION:2.1\r\n"
         "N:Holm;Per\r\nUID:per\r\nTEL:9\r\nEND:VCARD\r\nEMAIL:ann@example.org\r\nUID:ann\r\n"
         "END:VCARD\r\n",
         {{"HmPhone", "1"}, {"Position", "Lead"}},
         "ann"},
        // Numbers are written where the reader finds them: a later preferred one of a kind,
        // a kind in the label of the number's group, no empty one.
        {"numbers chosen as the reader chooses them",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Ann;;;\r\nTEL;TYPE=FAX:1\r\n"
         "TEL;TYPE=FAX,PREF:2\r\nitem1.TEL:3\r\nitem1.X-ABLabel:_$!<Mobile>!$_\r\nTEL:\r\n"
         "TEL:4\r\n"
         "END:VCARD\r\n",
         {{"Fax", "5"}, {"CelPhone", "6"}, {"HmPhone", "7"}}},
        // A kind word counts inside a longer type or label, for the patch as for the reader.
        {"kind words inside longer types and labels",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Ann;;;\r\nTEL;TYPE=X-MOBILE:1\r\nTEL;HOMETEL:2\r\n"
         "item1.TEL:3\r\nitem1.X-ABLabel:HomeFax\r\nTEL:4\r\nEND:VCARD\r\n",
         {{"CelPhone", "5"}, {"HmPhone", "6"}, {"Fax", "7"}, {"WkPhone", "8"}}},
        // Each line is escaped as the version line before it says, as the reader reads it.
        {"version lines within the card",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Ann;;;\r\nADR:box\\\r\nVERSION:2.1\r\n"
         "TITLE:x\r\nEND:VCARD\r\n",
         {{"LName", "C:\\x"}, {"Addr2", "back"}, {"Position", "a\\b"}, {"Notes", "c\\d"}}},
        // The reader takes a "tel:" before a number for the scheme of an address; one that
        // holds nothing else is no number.
        {"numbers that begin with tel:",
         "BEGIN:VCARD\r\nVERSION:4.0\r\nN:Berg;Ann;;;\r\nTEL;VALUE=uri;TYPE=cell:tel:+1-555\r\n"
         "TEL:tel:\r\nTEL:5\r\nEND:VCARD\r\n",
         {{"CelPhone", "tel:7"}, {"WkPhone", "tel:8"}, {"WkExt", "9"}}},
        // A binary value is none to the reader: left as it is, not rewritten into one it reads.
        {"a binary address",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Ann;;;\r\nADR;HOME;B:box;;;Lund;;;\r\nEND:VCARD\r\n",
         {{"Addr1", "Main St"}}},
        // A quote in a parameter cannot be written back as one.
        {"a quote in a parameter",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Ann;;;\r\nTEL;\"a:1\r\nEND:VCARD\r\n",
         {{"HmPhone", "2"}}},
        // Parts kept from a quoted-printable value may hold line breaks.
        {"a line break in a kept part",
         "BEGIN:VCARD\r\nN:Berg;Ann;;;\r\nADR;QUOTED-PRINTABLE:a=0Db\r\nEND:VCARD\r\n",
         {{"City", "Lund"}}},
        {"a byte order mark",
         "\xEF\xBB\xBF"
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Ann;;;\r\nEND:VCARD\r\n",
         {{"Position", "Lead"}}},
    };
    for (const Row& row : rows) {
        const ParsedItem parsed = codec.parse(row.card);
        ASSERT_EQ(parsed.records.size(), 1u) << row.label << ": " << parsed.error;
        EXPECT_EQ(parsed.uid, row.uid) << row.label;
        SyncRecord sent = parsed.records[0].record;
        FieldKeys changed;
        for (const auto& [key, value] : row.changes) {
            syncField(RecordKind::Person, key)->setText(sent, value);
            changed.insert(key);
        }
        const std::string patched = codec.write(row.card, sent, changed, "u");
        const ParsedItem back = codec.parse(patched);
        ASSERT_EQ(back.records.size(), 1u) << row.label << ":\n" << patched;
        EXPECT_EQ(joined(back.records[0].record), joined(sent)) << row.label << ":\n" << patched;
        const std::string fresh = codec.write("", sent, allFields(RecordKind::Person), "u");
        EXPECT_EQ(joined(codec.parse(fresh).records.at(0).record), joined(sent))
            << row.label << ", a new card:\n"
            << fresh;
    }
}

// The parts of a structured value that have no field are kept, decoded: the line goes back
// without the encoding they were written in.
TEST(VCardPatchTest, KeptPartsOfAnEncodedValueAreDecoded) {
    const FixedClock clock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};
    const AddressBookCodec codec(clock);
    const std::string card =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN;ENCODING=QUOTED-PRINTABLE:Berg;Ann;;Dr.=20med.;\r\n"
        "FN:Ann Berg\r\nEND:VCARD\r\n";
    SyncRecord sent = codec.parse(card).records.at(0).record;
    syncField(RecordKind::Person, "FName")->setText(sent, "Anna");
    EXPECT_NE(codec.write(card, sent, {"FName"}, "u").find("N:Berg;Anna;;Dr. med.;\r\n"),
              std::string::npos);
}

// An item is one card: beside the person's, even a card that names no one would take the
// patch meant for the person's.
TEST(VCardPatchTest, AnItemOfTwoCardsIsRefused) {
    const FixedClock clock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};
    const AddressBookCodec codec(clock);
    const std::string card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Ann;;;\r\nEND:VCARD\r\n";
    for (const std::string& item : {"BEGIN:VCARD\r\nVERSION:3.0\r\nTEL:1\r\nEND:VCARD\r\n" + card,
                                    card + "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Holm;Per;;;\r\n"})
        EXPECT_TRUE(codec.parse(item).records.empty()) << item;
}

}  // namespace
