#include "sync/Synchronize.h"

#include <cstdio>
#include <filesystem>

#include "sync/CollectionSync.h"
#include "sync/Discovery.h"

namespace {

Status syncCollection(DavClient& dav, const ItemCodec& codec, PimDocument& document,
                      SyncState& state, const char* key, const std::string& url, bool made,
                      const std::string& uidStem, SyncReport& report) {
    CollectionState& collection = state.collections[key];
    // Another collection than last time: nothing of the old one applies.
    if (collection.url != url) collection = CollectionState{url, "", {}};
    CollectionSync sync(dav, codec, document, collection, report, uidStem);
    if (made) sync.assumeEmpty();
    return sync.run();
}

}  // namespace

Status synchronize(HttpTransport& transport, const Clock& clock, PimDocument& document,
                   SyncState& state, const SyncRequest& request, const std::string& uidStem,
                   SyncReport& report) {
    DavClient dav(transport, !request.dryRun);
    const auto finish = [&](Status status) {
        report.requests = dav.requests();
        return status;
    };
    const bool named =
        request.addressBook.starts_with("http") && request.calendar.starts_with("http");
    DavAccount account;
    if (!named) {
        if (Status found = discoverAccount(dav, request.url, account); !found) return finish(found);
    }
    std::string cards, dates;
    bool cardsMade = false, datesMade = false;
    if (Status chosen = chooseCollection(dav, account, true, request.addressBook, cards, cardsMade);
        !chosen)
        return finish(chosen);
    if (Status chosen = chooseCollection(dav, account, false, request.calendar, dates, datesMade);
        !chosen)
        return finish(chosen);
    if (cardsMade) report.created.push_back("address book \"Quillmate\" at " + cards);
    if (datesMade) report.created.push_back("calendar \"Quillmate\" at " + dates);
    const AddressBookCodec cardCodec(clock);
    if (Status synced = syncCollection(dav, cardCodec, document, state, "addressbook", cards,
                                       cardsMade, uidStem, report);
        !synced)
        return finish(synced);
    const CalendarCodec dateCodec(clock);
    return finish(syncCollection(dav, dateCodec, document, state, "calendar", dates, datesMade,
                                 uidStem, report));
}

std::string uidStemFor(const std::string& documentPath) {
    std::error_code error;
    std::string path = std::filesystem::absolute(documentPath, error).lexically_normal();
    if (error) path = documentPath;
    uint64_t hash = 1469598103934665603ull;
    for (const char c : path)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char stem[32];
    std::snprintf(stem, sizeof stem, "quillmate-%016llx", static_cast<unsigned long long>(hash));
    return stem;
}
