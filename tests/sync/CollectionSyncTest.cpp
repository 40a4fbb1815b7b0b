#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "exchange/VCardExport.h"
#include "support/Records.h"
#include "sync/SyncHarness.h"
#include "textio/GroupFiling.h"

namespace {

const auto etagProp = FakeDavServer::etagProp;
const auto multistatus = FakeDavServer::multistatus;

TEST(CollectionSyncTest, MalformedAnswersAreReportedWithTheirPlace) {
    const std::string good = FakeDavServer::entry(kItems + "good.vcf", etagProp("\"g\""));
    const std::string bare = FakeDavServer::entry(kItems + "bare.vcf", "");
    const std::string elsewhere = "http://elsewhere.test/a.vcf";
    const auto fetched = [](const std::string& href, const std::string& last) {
        return FakeDavServer::entry(
            href, etagProp("\"x\"") + "<A:address-data>" + card(last, "1") + "</A:address-data>");
    };
    const std::string notAsked = fetched(kItems + "%67ood.vcf", "Good") +
                                 fetched(kItems + "unasked.vcf", "Unasked") +
                                 fetched(elsewhere, "Elsewhere");
    const HttpResponse notXml{207, {}, "<d:multistatus xmlns:d=\"DAV:\"><d:response>", {}};
    const HttpResponse cut{0, {}, {}, "the server closed the connection"};
    const auto code = [](int status) { return HttpResponse{status, {}, {}, {}}; };
    struct Row {
        const char* label;
        const char* before;  // what the server or the document holds before the sync
        // `answer` answers instead of the server every request whose method is `match` or
        // whose body holds it ("" for any); nullptr: none.
        const char* match;
        HttpResponse answer;
        FailureKind failure;  // None: the sync succeeds
        std::string message;  // in the failure, or in the one item skipped
        size_t persons;       // in the document afterwards
    };
    const Row rows[] = {
        {"listing that is not XML", "", "PROPFIND", notXml, FailureKind::Syntax,
         "http://dav.test/books/main/:1:", 0},
        {"response without href", "", "PROPFIND",
         multistatus("<d:response><d:status>HTTP/1.1 200 OK</d:status></d:response>"),
         FailureKind::Content, "has no href", 0},
        {"item without ETag", "theirs", "PROPFIND", multistatus(good + bare), FailureKind::None,
         "/books/main/bare.vcf: the server gave it no ETag", 1},
        {"item on another server", "theirs", "PROPFIND",
         multistatus(good + FakeDavServer::entry(elsewhere, etagProp("\"x\""))), FailureKind::None,
         elsewhere + ": it lies on another server", 1},
        {"fetched items not asked for", "theirs", "multiget", multistatus(notAsked),
         FailureKind::None, elsewhere + ": it lies on another server", 1},
        {"item that is not a vCard", "theirs and a calendar", nullptr, HttpResponse(),
         FailureKind::None, "/books/main/bad.vcf: no vCard in the file", 1},
        {"connection cut", "", "", cut, FailureKind::Read,
         "cannot be reached: the server closed the connection", 0},
        {"item the server refuses", "ours", "PUT", code(415), FailureKind::None,
         "person \"Lovelace\": the server refused it at /books/main/", 1},
        {"server full", "ours", "PUT", code(507), FailureKind::Content,
         "out of storage space (507)", 1},
    };
    for (const Row& row : rows) {
        SyncHarness h;
        const std::string before = row.before;
        if (before.starts_with("theirs")) h.store("good.vcf", card("Good", "1"));
        if (before == "theirs and a calendar")
            h.store("bad.vcf", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
        if (before == "ours") h.addPerson("Lovelace");
        if (row.match)
            h.server.fault = [&row](const HttpRequest& r) -> std::optional<HttpResponse> {
                const bool matches =
                    r.method == row.match || r.body.find(row.match) != std::string::npos;
                return matches ? std::optional(row.answer) : std::nullopt;
            };
        const Status status = h.sync();
        EXPECT_EQ(status.kind(), row.failure) << row.label << ": " << status.message();
        // An item of the server's is skipped; one of ours is kept back.
        const auto& said = h.report.skipped.empty() ? h.report.notes : h.report.skipped;
        const std::string told = status ? said.size() == 1 ? said[0] : "" : status.message();
        EXPECT_NE(told.find(row.message), std::string::npos) << row.label << ": " << told;
        EXPECT_EQ(h.document.persons().size(), row.persons) << row.label;
    }
}

TEST(CollectionSyncTest, AnItemTheServerRefusesIsSkippedAndTheRestOfTheCollectionSyncs) {
    struct Row {
        const char* label;
        std::string name;  // of the item, as the server writes its href
        std::string etag;
        bool deleted;         // deleted here, else edited here
        int refusal;          // the status the server gives its DELETE; 0: none
        std::string skipped;  // "" when nothing is skipped
        bool stays;           // whether the server keeps the item
    };
    const Row rows[] = {
        {"weak ETag, edited here", "ada.vcf", "W/\"w1\"", false, 0,
         "/books/main/ada.vcf: the server gives it the weak or unquoted ETag W/\"w1\"", true},
        {"weak ETag, deleted here", "ada.vcf", "W/\"w1\"", true, 0,
         "/books/main/ada.vcf: the server gives it the weak or unquoted ETag W/\"w1\"", true},
        {"raw space in the href, deleted here", "ada lovelace.vcf", "\"s1\"", true, 0, "", false},
        {"delete refused", "ada.vcf", "\"s1\"", true, 403,
         "/books/main/ada.vcf: the server denies access to it (403)", true},
    };
    for (const Row& row : rows) {
        SyncHarness h;
        const std::string href = kItems + row.name;
        h.server.items[href] = {row.etag, card("Lovelace", "1")};
        h.store("other.vcf", card("Other", "1"));
        ASSERT_TRUE(h.sync()) << row.label;
        for (const auto& [id, person] : h.document.persons()) {
            if (person.LName() != "Lovelace") continue;
            Person changed = person;
            changed.setWkPhone("2");
            if (row.deleted)
                h.document.remove<Person>(id);
            else
                h.document.replace(changed);
            break;
        }
        h.store("other.vcf", card("Other", "2"));
        // As the transport does: an address with a raw space is no address.
        h.server.fault = [&row](const HttpRequest& r) -> std::optional<HttpResponse> {
            if (r.url.find(' ') != std::string::npos)
                return HttpResponse{0, {}, {}, "not an http or https address"};
            if (r.method == "DELETE" && row.refusal) return HttpResponse{row.refusal, {}, {}, {}};
            return std::nullopt;
        };
        const Status status = h.sync();
        EXPECT_TRUE(status) << row.label << ": " << status.message();
        const std::string skipped = h.report.skipped.empty() ? "" : h.report.skipped[0];
        EXPECT_EQ(skipped.substr(0, row.skipped.size()), row.skipped) << row.label;
        EXPECT_EQ(skipped.empty(), row.skipped.empty()) << row.label << ": " << skipped;
        EXPECT_EQ(h.server.items.contains(href), row.stays) << row.label;
        // The rest of the collection came down.
        EXPECT_EQ(h.report.counts[RecordKind::Person].down, 1) << row.label;
    }
}

TEST(CollectionSyncTest, AWriteWhoseAnswerWasLostCountsWhenTheServerTookIt) {
    for (const bool taken : {true, false}) {
        SyncHarness h;
        h.addPerson("Lovelace");
        h.server.fault = [&](const HttpRequest& r) -> std::optional<HttpResponse> {
            if (r.method != "PUT") return std::nullopt;
            h.server.fault = nullptr;
            if (taken) h.server.store(r.url.substr(std::string("http://dav.test").size()), r.body);
            return HttpResponse{0, {}, {}, "the server closed the connection"};
        };
        const Status status = h.sync();
        EXPECT_EQ(bool(status), taken) << status.message();
        EXPECT_EQ(h.report.counts[RecordKind::Person].up, taken ? 1 : 0);
        if (taken) {
            ASSERT_EQ(h.state.items.size(), 1u);
            EXPECT_EQ(h.state.items.begin()->second.etag,
                      h.server.items.at(h.state.items.begin()->first).etag);
        }
    }
}

TEST(CollectionSyncTest, PreconditionFailedFetchesMergesAndTriesAgain) {
    SyncHarness h;
    const std::string href = kItems + "ada.vcf";
    const std::string photo = "PHOTO;ENCODING=b;TYPE=JPEG:AAAA\r\n";
    h.server.store(href, card("Lovelace", "555-0100", photo));
    ASSERT_TRUE(h.sync());
    h.editOnly([](Person& p) { p.setWkPhone("555-0199"); });
    // The phone adds an e-mail address between our fetch and our write.
    bool raced = false;
    h.server.fault = [&](const HttpRequest& r) -> std::optional<HttpResponse> {
        if (r.method != "PUT" || raced) return std::nullopt;
        raced = true;
        h.server.store(href, card("Lovelace", "555-0100", photo + "EMAIL:ada@example.org\r\n"));
        return HttpResponse{412, {}, {}, {}};
    };
    ASSERT_TRUE(h.sync());
    EXPECT_TRUE(raced);
    EXPECT_TRUE(h.report.conflicts.empty()) << h.report.conflicts[0].line();
    EXPECT_EQ(h.report.counts[RecordKind::Person].up, 1);
    const std::string& stored = h.server.items[href].body;
    for (const std::string& part :
         {std::string("TEL;TYPE=WORK,VOICE:555-0199"), std::string("EMAIL:ada@example.org"), photo})
        EXPECT_NE(stored.find(part), std::string::npos) << part << "\n" << stored;
    EXPECT_EQ(h.only().EMail(), "ada@example.org");
    EXPECT_EQ(h.only().WkPhone(), "555-0199");
}

TEST(CollectionSyncTest, ALostStateMatchesRecordsEditedSinceByTheirKey) {
    struct Row {
        const char* label;
        const char* theirs;  // more of the server's card
        std::function<void(Person&)> edit;
        size_t conflicts;  // fields both hold differently
    };
    const Row rows[] = {
        {"e-mail added here", "", [](Person& p) { p.setEMail("ada@example.org"); }, 0},
        {"phone changed, e-mail shared", "EMAIL:ada@example.org\r\n",
         [](Person& p) { p.setWkPhone("555-0199"); }, 1},
    };
    for (const Row& row : rows) {
        SyncHarness h;
        const std::string href = kItems + "ada.vcf";
        h.server.store(href, card("Lovelace", "555-0100", row.theirs));
        ASSERT_TRUE(h.sync());
        // A card without categories is filed in "All", where the phone book lists it.
        EXPECT_EQ(h.only().PhGroups, std::vector<int32_t>{kUniversalGroupId});
        h.editOnly(row.edit);
        h.state = CollectionState{FakeDavServer::kCollection, "", {}};
        ASSERT_TRUE(h.sync()) << row.label;
        EXPECT_EQ(std::tuple(h.document.persons().size(), h.server.items.size(),
                             h.report.conflicts.size()),
                  std::tuple(1ul, 1ul, row.conflicts))
            << row.label;
        EXPECT_TRUE(h.report.countLines().at(0).ends_with(" 0 down, 1 already here")) << row.label;
        EXPECT_NE(h.server.items[href].body.find("ada@example.org"), std::string::npos)
            << row.label << ": " << h.server.items[href].body;
    }
}

TEST(CollectionSyncTest, ARecordKeepsTheUidItCameDownOrWentUpUnder) {
    SyncHarness h;
    h.store("ada.vcf", card("Lovelace", "555-0100"));
    ASSERT_TRUE(h.sync());
    EXPECT_EQ(h.only().uid, "Lovelace");

    Person imported;
    imported.setLName("Hopper");
    imported.uid = "grace@phone";
    h.document.add(imported);
    h.addPerson("Babbage");
    ASSERT_TRUE(h.sync());
    std::vector<std::string> bodies;
    for (const auto& [href, item] : h.server.items)
        bodies.push_back(item.body);
    const Person& made = *h.document.persons().find(3);
    ASSERT_FALSE(made.uid.empty());
    for (const std::string& uid : {std::string("grace@phone"), std::string(made.uid)}) {
        EXPECT_EQ(std::count_if(bodies.begin(), bodies.end(),
                                [&](const std::string& body) {
                                    return body.find("UID:" + uid + "\r\n") != std::string::npos;
                                }),
                  1)
            << uid;
    }
}

TEST(CollectionSyncTest, ARecordDeletedHereStaysDeletedWhenThePutGaveNoETag) {
    for (const bool readBack : {true, false}) {  // whether the ETag can be asked for afterwards
        SCOPED_TRACE(readBack ? "ETag read back" : "ETag never learnt");
        SyncHarness h;
        h.server.etagOnPut = false;
        bool unconditional = false;
        h.server.fault = [&](const HttpRequest& r) -> std::optional<HttpResponse> {
            unconditional |= r.method == "DELETE" && std::ranges::none_of(r.headers, [](auto& h) {
                                 return h.first == "If-Match";
                             });
            if (!readBack && r.method == "PROPFIND" &&
                r.body.find("resourcetype") == std::string::npos)
                return HttpResponse{500, {}, {}, {}};
            return std::nullopt;
        };
        h.addPerson("Lovelace");
        ASSERT_TRUE(h.sync());
        ASSERT_EQ(h.server.items.size(), 1u);
        EXPECT_EQ(h.state.items.begin()->second.etag.empty(), !readBack);

        h.document.remove<Person>(h.only().ID);
        ASSERT_TRUE(h.sync());
        ASSERT_TRUE(h.sync());
        EXPECT_EQ(std::tuple(h.document.persons().size(), h.server.items.size(), unconditional),
                  std::tuple(0ul, 0ul, false));
    }
}

TEST(CollectionSyncTest, AListingCutShortGoesOnFromItsTokenAndDeletesNothing) {
    SyncHarness h;
    h.server.store(kItems + "c.vcf", card("Kept", "3"));
    ASSERT_TRUE(h.sync());
    h.store("a.vcf", card("First", "1")).store("b.vcf", card("Second", "2"));
    const auto entry = [&](const std::string& name) {
        return FakeDavServer::entry(kItems + name, etagProp(h.server.items[kItems + name].etag));
    };
    h.server.fault = [&](const HttpRequest& r) -> std::optional<HttpResponse> {
        if (r.body.find("sync-collection") == std::string::npos) return std::nullopt;
        if (r.body.find("<d:sync-token></d:sync-token>") != std::string::npos)
            return multistatus(entry("a.vcf") + "<d:response><d:href>" + kItems +
                               "</d:href><d:status>HTTP/1.1 507 Insufficient Storage</d:status>"
                               "</d:response><d:sync-token>t1</d:sync-token>");
        return multistatus(entry("b.vcf") + "<d:sync-token>t2</d:sync-token>");
    };
    ASSERT_TRUE(h.sync());
    EXPECT_EQ(std::tuple(h.document.persons().size(), h.server.items.size(), h.state.token),
              std::tuple(3ul, 3ul, "t2"));
}

TEST(CollectionSyncTest, ACalendarThatTakesOnlyEventsGetsNoToDos) {
    SyncHarness h;
    const CalendarCodec events(h.clock, true, false);
    h.codec = &events;
    h.document.add(appointmentAt("Meeting", DateTime::fromFields(2026, 12, 8, 10, 0),
                                 DateTime::fromFields(2026, 12, 8, 11, 0)));
    h.document.add(taskDue("Write report", DateTime::fromFields(2026, 12, 8)));
    ASSERT_TRUE(h.sync());
    ASSERT_EQ(h.server.items.size(), 1u);
    EXPECT_NE(h.server.items.begin()->second.body.find("VEVENT"), std::string::npos);
    EXPECT_EQ(h.document.tasks().size(), 1u);
}

TEST(CollectionSyncTest, AToDoWithoutDateIsTheSameOneOnALaterDay) {
    SyncHarness h;
    h.codec = &h.calendar;
    const std::string href = kItems + "report.ics";
    h.server.store(href,
                   "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\n"
                   "BEGIN:VTODO\r\nUID:report\r\nDTSTAMP:20261201T100000Z\r\n"
                   "SUMMARY:Write report\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    ASSERT_TRUE(h.sync());
    ASSERT_EQ(h.document.tasks().size(), 1u);
    const std::string before = h.server.items[href].body;
    // The state is lost, and the next sync runs another day.
    h.state = CollectionState{FakeDavServer::kCollection, "", {}};
    h.clock.set(LocalTime{2026, 12, 9, 9, 0, 0, 0});
    ASSERT_TRUE(h.sync());
    EXPECT_EQ(std::pair(h.document.tasks().size(), h.report.conflicts.size()), std::pair(1ul, 0ul));
    EXPECT_EQ(h.server.items[href].body, before);
}

TEST(CollectionSyncTest, AFieldChangedOnBothSidesIsSettledWithoutASecondRecord) {
    for (const bool preferHere : {false, true}) {
        SCOPED_TRACE(preferHere ? "ours preferred" : "the server's preferred");
        SyncHarness h;
        h.preferHere = preferHere;
        const std::string href = kItems + "paula.vcf";
        h.server.store(href, card("Phone", "555-0100"));
        ASSERT_TRUE(h.sync());
        h.editOnly([](Person& p) {
            p.setWkPhone("555-0199");
            p.setEMail("paula@example.org");
        });
        h.server.store(href, card("Phone", "555-0142"));
        ASSERT_TRUE(h.sync());
        ASSERT_EQ(h.report.conflicts.size(), 1u);
        EXPECT_EQ(h.report.conflicts[0].line(),
                  std::string("person \"Phone, Ada\": work phone here \"555-0199\", on the server "
                              "\"555-0142\"; ") +
                      (preferHere ? "ours kept" : "the server's kept"));
        const std::string kept = preferHere ? "555-0199" : "555-0142";
        EXPECT_EQ(
            std::tuple(h.document.persons().size(), h.server.items.size(), h.only().WkPhone()),
            std::tuple(1ul, 1ul, kept));
        // What only one side changed goes up either way.
        const std::string& stored = h.server.items[href].body;
        EXPECT_NE(stored.find("paula@example.org"), std::string::npos) << stored;
        EXPECT_NE(stored.find(kept), std::string::npos) << stored;
        if (preferHere) continue;

        // Keeping ours is one step here, sent by the next sync.
        ASSERT_TRUE(keepOurs(h.document, h.report.conflicts[0]));
        ASSERT_TRUE(h.sync());
        EXPECT_TRUE(h.report.conflicts.empty());
        EXPECT_NE(h.server.items[href].body.find("555-0199"), std::string::npos);
    }
}

TEST(CollectionSyncTest, ACollectionThatMayNotBeWrittenGetsNoWriteAndLosesNothing) {
    SyncHarness h;
    h.store("ada.vcf", card("Lovelace", "1")).store("alan.vcf", card("Turing", "2"));
    h.state.readOnly = true;
    ASSERT_TRUE(h.sync());
    ASSERT_EQ(h.document.persons().size(), 2u);
    const auto before = h.server.items;
    bool wrote = false;
    h.server.fault = [&](const HttpRequest& r) -> std::optional<HttpResponse> {
        wrote |= r.method == "PUT" || r.method == "DELETE";
        return std::nullopt;
    };
    h.editOnly([](Person& p) { p.setWkPhone("555-0199"); });
    h.document.remove<Person>(std::next(h.document.persons().begin())->first);
    h.addPerson("Hopper");
    ASSERT_TRUE(h.sync());
    EXPECT_FALSE(wrote);
    EXPECT_EQ(h.server.items.size(), before.size());
    // The edit stays here, the deleted one is back, the new one waits; each is said.
    EXPECT_EQ(h.document.persons().size(), 3u);
    EXPECT_EQ(h.only().WkPhone(), "555-0199");
    EXPECT_EQ(h.report.notes.size(), 3u);
}

// A second client's sync found these.
TEST(CollectionSyncTest, CardsOfOurOwnOrEditedElsewhereKeepTheirGroupsAndComeOnce) {
    SyncHarness h;
    // Our own export of a person in two groups, already on the server at the first sync.
    Person person;
    person.setLName("Supplier");
    GroupFiling filing(h.document);
    person.PhGroups = filing.groupsOf({"Suppliers", "Family"});
    h.document.addAll(std::move(filing.added));
    h.document.add(person);
    h.server.store(kItems + "own.vcf",
                   vcardText(h.document, VCardVersion::V3, std::nullopt, nullptr));
    ASSERT_TRUE(h.sync());
    EXPECT_EQ(
        std::tuple(h.document.persons().size(), h.server.items.size(), h.report.conflicts.size()),
        std::tuple(1ul, 1ul, 0ul));

    // Edited by the other client: the card comes down in the groups it names.
    std::string edited = h.server.items[kItems + "own.vcf"].body;
    edited.insert(
        edited.rfind("END:VCARD"),
        "PHOTO;ENCODING=b;TYPE=JPEG:AAAA\r\nBDAY:1980-01-02\r\nEMAIL:two@example.org\r\n");
    h.store("own.vcf", edited);
    h.store("cat.vcf", card("Cat", "1", "CATEGORIES:Suppliers\r\nBDAY:1980-01-02\r\n"));
    ASSERT_TRUE(h.sync());
    const auto groups = [&](const char* last) {
        for (const auto& [id, p] : h.document.persons())
            if (p.LName() == last) return joinedGroups(groupNamesOf(p, h.document));
        return std::string("(none)");
    };
    EXPECT_EQ(std::pair(groups("Supplier"), groups("Cat")),
              std::pair(std::string("Family,Suppliers"), std::string("Suppliers")));
}

TEST(CollectionSyncTest, AnItemWeSentAndThePhoneDeletedGoesHereTooWithExactChanges) {
    SyncHarness h;
    h.server.exactChanges = true;
    h.addPerson("Lovelace");
    ASSERT_TRUE(h.sync());
    ASSERT_EQ(h.server.items.size(), 1u);
    h.server.remove(h.server.items.begin()->first);
    ASSERT_TRUE(h.sync());
    EXPECT_EQ(
        std::pair(h.document.persons().size(), h.report.counts[RecordKind::Person].deletedHere),
        std::pair(0ul, 1));
    // With nothing changed, a sync asks for the changes and nothing more.
    const int before = h.server.requests;
    ASSERT_TRUE(h.sync());
    EXPECT_EQ(h.server.requests - before, 1);

    // A token the server no longer knows costs a full listing, and nothing comes twice.
    h.store("b.vcf", card("Babbage", "2"));
    h.state.token = "999";
    ASSERT_TRUE(h.sync());
    ASSERT_TRUE(h.sync());
    EXPECT_EQ(std::pair(h.document.persons().size(), h.server.items.size()), std::pair(1ul, 1ul));
}

}  // namespace
