#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExchangeTexts.h"
#include "docfile/DocumentFile.h"
#include "docfile/DocumentWriter.h"
#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "exchange/RecordUids.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "records/PimDocument.h"
#include "support/ProcessGuards.h"
#include "support/Records.h"

namespace {

// Every UID line of an export, in order.
std::vector<std::string> uidsIn(const std::string& text) {
    std::vector<std::string> uids;
    for (size_t at = 0; (at = text.find("\nUID:", at)) != std::string::npos; ++at)
        uids.push_back(text.substr(at + 5, text.find('\r', at) - at - 5));
    return uids;
}

std::string everything(const PimDocument& doc) {
    return icalendarText(doc, CalendarParts::Both) + vcardText(doc, VCardVersion::V3, std::nullopt);
}

void fill(PimDocument& doc) {
    const TzGuard berlin("Europe/Berlin");
    const DateTime start = DateTime::fromFields(2027, 3, 2, 22, 0);
    doc.add(appointmentAt("Concert", start, start + DateTimeSpan::fromParts(0, 2, 0, 0)));
    doc.add(taskDue("Buy tickets", DateTime::fromFields(2027, 2, 1, 18, 0)));
    Person person;
    person.setLName("Lovelace");
    person.setFName("Ada");
    person.PhGroups = {1};
    doc.add(person);
}

}  // namespace

TEST(RecordUidsTest, ARecordIsExportedUnderOneUidInEveryZoneAndKeepsItOnceGiven) {
    // Made in Berlin, opened in New York.
    std::string saved;
    {
        PimDocument made(kClock);
        fill(made);
        const TzGuard tz("Europe/Berlin");
        saved = formatDocument(made);
    }
    const auto uidsOpenedIn = [&](const char* zone) {
        const TzGuard tz(zone);
        PimDocument opened(kClock);
        EXPECT_TRUE(loadDocumentBytes(opened, saved));
        return uidsIn(everything(opened));
    };
    const std::vector<std::string> berlin = uidsOpenedIn("Europe/Berlin");
    ASSERT_EQ(berlin.size(), 3u);
    EXPECT_EQ(uidsOpenedIn("America/New_York"), berlin);

    PimDocument doc(kClock);
    ASSERT_TRUE(loadDocumentBytes(doc, saved));

    // Given at the first export, as a change of the document, and kept through edits.
    doc.setModified(false);
    const UidKinds all{true, true, true};
    EXPECT_TRUE(lacksUids(doc, all));
    EXPECT_EQ(giveUids(doc, all), 3u);
    EXPECT_TRUE(doc.isModified());
    EXPECT_FALSE(lacksUids(doc, all));
    EXPECT_EQ(giveUids(doc, all), 0u);
    Appointment moved = *doc.appointments().find(1);
    moved.Description = "Concert (moved)";
    moved.StartTime = moved.StartTime + DateTimeSpan(1.0);
    doc.replace(moved);
    Person renamed = *doc.persons().find(1);
    renamed.setLName("King");
    doc.replace(renamed);
    const TzGuard tz("Asia/Tokyo");
    EXPECT_EQ(uidsIn(everything(doc)), berlin);
}

TEST(RecordUidsTest, ImportedRecordsKeepTheirUidsAndAreNotAddedTwice) {
    const TzGuard tz("Europe/Berlin");
    // A control character in a UID is kept by none, since no file may carry it: the UID a
    // record keeps is the one it is exported under. A person stored with one, before they
    // were dropped, is still known by it.
    const std::string events = calendar(
        "BEGIN:VEVENT\r\nUID:event-1\x1D@phone\r\nDTSTART:20270302T210000Z\r\n"
        "DTEND:20270302T230000Z\r\nSUMMARY:Concert\r\nEND:VEVENT\r\n"
        "BEGIN:VTODO\r\nUID:todo-1\x01@phone\r\nDUE:20270201T170000Z\r\nSUMMARY:Buy tickets\r\n"
        "END:VTODO\r\n");
    const std::string cards =
        card("UID:\x7F card-1@phone\r\nN:Lovelace;Ada;;;\r\nTEL:555-0100\r\n") +
        card("UID:card-0@phone\r\nN:Babbage;Charles;;;\r\nTEL:555-0111\r\n") +
        card("N:Hopper;Grace;;;\r\nEMAIL:grace@example.org\r\n");
    PimDocument doc(kClock);
    doc.seedDefaultGroups();
    Person stored;
    stored.setFName("Charles");
    stored.setLName("Babbage");
    stored.uid = "card-0\x02@phone";
    doc.add(stored);
    const CalendarImportResult first = importICalendarText(doc, events, CalendarParts::Both);
    ASSERT_EQ(first.appointments + first.tasks, 2);
    ASSERT_EQ(importVCardText(doc, cards).added, 2);
    EXPECT_EQ(uidsIn(everything(doc)),
              (std::vector<std::string>{"event-1@phone", "todo-1@phone", "card-0@phone",
                                        "card-1@phone", UidMaker().of(*doc.persons().find(3))}));

    // Again: everything is there already, by UID or, for the card without one, by name and
    // e-mail address; a namesake with another address is someone else.
    const CalendarImportResult again = importICalendarText(doc, events, CalendarParts::Both);
    EXPECT_EQ(std::tuple(again.appointments, again.tasks, again.alreadyThere), std::tuple(0, 0, 2));
    const VCardImportResult cardsAgain = importVCardText(
        doc, cards + card("N:Hopper;Grace;;;\r\nEMAIL:grace@navy.example\r\nTEL:555-0199\r\n"));
    EXPECT_EQ(std::tuple(cardsAgain.added, cardsAgain.alreadyThere), std::tuple(1, 3));
    EXPECT_NE(vcardTally(cardsAgain, "cards.vcf").note.find("3 of them were already"),
              std::string::npos);
    // Our own export of them is read as the same records.
    const CalendarImportResult exported =
        importICalendarText(doc, icalendarText(doc, CalendarParts::Both), CalendarParts::Both);
    EXPECT_EQ(std::tuple(exported.appointments, exported.tasks), std::tuple(0, 0));
    EXPECT_EQ(importVCardText(doc, vcardText(doc, VCardVersion::V3, std::nullopt)).added, 0);
}

TEST(RecordUidsTest, TwoEventsOfAFileUnderOneUidGoOutUnderTwo) {
    const TzGuard tz("Europe/Berlin");
    const std::string events = calendar(
        "BEGIN:VEVENT\r\nUID:choir@phone\r\nDTSTART:20261219T000000Z\r\n"
        "DTEND:20261219T020000Z\r\nSUMMARY:Concert\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:choir@phone\r\nDTSTART:20261203T173000Z\r\n"
        "DTEND:20261203T190000Z\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\nSUMMARY:Choir\r\nEND:VEVENT\r\n");
    PimDocument doc(kClock);
    ASSERT_EQ(importICalendarText(doc, events, CalendarParts::Both).appointments, 2);
    const std::vector<std::string> uids = uidsIn(everything(doc));
    ASSERT_EQ(uids.size(), 2u);
    EXPECT_EQ(uids[0], "choir@phone");
    EXPECT_NE(uids[1], uids[0]);
    // Read back, they are the two appointments they were.
    PimDocument again(kClock);
    ASSERT_EQ(
        importICalendarText(again, icalendarText(doc, CalendarParts::Both), CalendarParts::Both)
            .appointments,
        2);
    EXPECT_EQ(again.appointments().find(1)->Description, "Concert");
    EXPECT_FALSE(again.appointments().find(1)->repeats());
    EXPECT_TRUE(again.appointments().find(2)->repeats());
}
