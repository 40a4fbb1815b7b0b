// How the first sync of a collection and the discovery of an account grow with what the
// server holds, against a server in memory (no network, so the engine's own work shows).
// Each figure is set against a yardstick measured in the same run over the same number
// of items: reading the server's answer, which any client must do. A ratio that stays put
// from the small count to the large one means linear growth.
//   sync_bench [small large collections]

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../textio/BestSeconds.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "sync/CollectionSync.h"
#include "sync/Discovery.h"
#include "sync/FakeDavServer.h"

namespace {

const FixedClock kClock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};

std::string card(int i) {
    const std::string n = std::to_string(i);
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:p" + n + "\r\nN:Person " + n +
           ";Bench;;;\r\nFN:Bench Person " + n + "\r\nTEL;TYPE=WORK:555-" + n + "\r\nEMAIL:p" + n +
           "@example.org\r\nEND:VCARD\r\n";
}

// The first sync of `count` cards into an empty document, and the yardstick: the cards
// read by the codec alone.
void firstSync(int count) {
    FakeDavServer server;
    for (int i = 0; i < count; ++i)
        server.store("/books/main/p" + std::to_string(i) + ".vcf", card(i));
    const AddressBookCodec codec(kClock);
    const double sync = bestSeconds(
        [&](int) {
            PimDocument document(kClock);
            CollectionState state{FakeDavServer::kCollection, "", {}};
            SyncReport report;
            DavClient dav(server, false);
            CollectionSync run(dav, codec, document, state, report, "quillmate-bench");
            if (!run.run() || document.persons().size() != size_t(count)) std::abort();
        },
        1);
    const double yardstick = bestSeconds([&](int) {
        size_t records = 0;
        for (const auto& [href, item] : server.items)
            records += codec.parse(item.body).records.size();
        if (records != size_t(count)) std::abort();
    });
    std::printf("first sync, %6d new cards: %8.3f s, %6.1f x reading them\n", count, sync,
                sync / yardstick);
}

// Discovery of an account whose home holds `count` address books, and the yardstick:
// the home's listing read.
void discovery(int count) {
    std::string listing;
    for (int i = 0; i < count; ++i)
        listing += FakeDavServer::entry(
            "/home/c" + std::to_string(i) + "/",
            "<d:resourcetype><d:collection/><A:addressbook/></d:resourcetype>");
    const HttpResponse home = FakeDavServer::multistatus(listing);
    const HttpResponse principal = FakeDavServer::multistatus(FakeDavServer::entry(
        "/p/",
        "<d:current-user-principal><d:href>/p/</d:href></d:current-user-principal>"
        "<A:addressbook-home-set><d:href>/home/</d:href></A:addressbook-home-set>"
        "<C:calendar-home-set><d:href>/home/</d:href></C:calendar-home-set>"));
    FakeDavServer server;
    server.fault = [&](const HttpRequest& request) -> std::optional<HttpResponse> {
        return request.url.ends_with("/home/") ? home : principal;
    };
    const double found = bestSeconds([&](int) {
        DavClient dav(server, false);
        DavAccount account;
        if (!discoverAccount(dav, "http://dav.test/p/", account) ||
            account.collections.size() != size_t(count))
            std::abort();
    });
    const double yardstick = bestSeconds([&](int) {
        MultiStatus answer;
        if (!parseMultiStatus(home.body, answer)) std::abort();
    });
    std::printf("discovery, %6d collections: %8.3f s, %6.1f x reading the listing\n", count, found,
                found / yardstick);
}

}  // namespace

int main(int argc, char** argv) {
    const int small = argc > 1 ? std::atoi(argv[1]) : 4000;
    const int large = argc > 2 ? std::atoi(argv[2]) : 32000;
    const int collections = argc > 3 ? std::atoi(argv[3]) : 40000;
    firstSync(small);
    firstSync(large);
    discovery(collections / 8);
    discovery(collections);
    return 0;
}
