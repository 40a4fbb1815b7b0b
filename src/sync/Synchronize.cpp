#include "sync/Synchronize.h"
#include "platform/Translate.h"

#include <optional>
#include <utility>

#include "fileio/UserFolders.h"
#include "sync/AccountAddress.h"
#include "sync/CollectionSync.h"
#include "sync/Discovery.h"

namespace {

Status syncCollection(DavClient& dav, const ItemCodec& codec, PimDocument& document,
                      SyncState& state, const char* key, const std::string& url, bool made,
                      const std::string& uidStem, bool preferHere, std::optional<bool> readOnly,
                      SyncReport& report) {
    CollectionState& collection = state.collections[key];
    // The same collection at another port or scheme (the server moved) keeps what was synced
    // with it, or records deleted there since would come back; its token is asked anew.
    if (collection.url != url && samePlaceOnHost(collection.url, url)) {
        collection.url = url;
        collection.token.clear();
    }
    // Another collection than last time: nothing of the old one applies.
    if (collection.url != url) collection = CollectionState{url, "", {}};
    // Found anew, it says what may be written; otherwise the state remembers.
    if (readOnly) collection.readOnly = *readOnly;
    CollectionSync sync(dav, codec, document, collection, report, uidStem);
    if (made) sync.assumeEmpty();
    if (preferHere) sync.preferHere();
    return sync.run();
}

// The collections a sync goes to.
struct Found {
    std::string cards, dates;
    bool cardsMade = false, datesMade = false;
    bool events = true, todos = true;  // the kinds the calendar takes, when known
    // Whether the user may write them, when discovery found them.
    std::optional<bool> cardsReadOnly, datesReadOnly;
};

Status find(DavClient& dav, const SyncRequest& request, Found& found, SyncReport& report) {
    const bool named =
        request.addressBook.starts_with("http") && request.calendar.starts_with("http");
    DavAccount account;
    if (!named) {
        if (Status status = discoverAccount(dav, request.url, account); !status) return status;
    }
    if (Status chosen =
            chooseCollection(dav, account, true, request.addressBook, found.cards, found.cardsMade);
        !chosen)
        return chosen;
    if (Status chosen =
            chooseCollection(dav, account, false, request.calendar, found.dates, found.datesMade);
        !chosen)
        return chosen;
    for (const DavCollection& collection : account.collections) {
        if (collection.url == found.cards && collection.addressBook)
            found.cardsReadOnly = collection.readOnly;
        if (collection.url == found.dates && (collection.events || collection.todos))
            found.datesReadOnly = collection.readOnly;
        if (collection.url == found.dates && (collection.events || collection.todos)) {
            found.events = collection.events;
            found.todos = collection.todos;
        }
    }
    if (found.cardsMade)
        report.created.push_back(fillIn(_("address book \"Quillmate\" at %s"), {found.cards}));
    if (found.datesMade)
        report.created.push_back(fillIn(_("calendar \"Quillmate\" at %s"), {found.dates}));
    return {};
}

// Why the sync stopped, from the last request it made.
SyncFailure failureOf(const DavClient& dav) {
    if (dav.lastStatus() == 401) return SyncFailure::Unauthorised;
    if (dav.lastStatus() != 0) return SyncFailure::Other;
    switch (dav.lastFailure()) {
        case HttpFailure::Cancelled:
            return SyncFailure::Cancelled;
        case HttpFailure::Certificate:
            return SyncFailure::Certificate;
        case HttpFailure::None:
            break;
    }
    return SyncFailure::Unreachable;
}

}  // namespace

Status synchronize(HttpTransport& transport, const Clock& clock, PimDocument& document,
                   SyncState& state, const SyncRequest& request, const std::string& uidStem,
                   SyncReport& report) {
    DavClient dav(transport, !request.dryRun);
    const auto finish = [&](Status status) {
        report.requests = dav.requests();
        if (!status) report.failure = failureOf(dav);
        return status;
    };
    const std::string wanted = request.url + "\n" + request.addressBook + "\n" + request.calendar;
    state.account = request.url;
    Found found;
    // The collections found for the same question last time, unless one has gone since.
    const bool known = state.foundFor == wanted && !state.collections["addressbook"].url.empty() &&
                       !state.collections["calendar"].url.empty();
    if (known) {
        found.cards = state.collections["addressbook"].url;
        found.dates = state.collections["calendar"].url;
    } else if (Status status = find(dav, request, found, report); !status) {
        return finish(status);
    }
    const AddressBookCodec cardCodec(clock);
    bool told = false;
    const auto syncBoth = [&]() -> Status {
        // A calendar that takes one kind only is looked up at every sync, so that the other
        // kind never goes to it.
        const bool both = found.events && found.todos;
        state.foundFor = both ? wanted : "";
        if (!both && !std::exchange(told, true))
            report.notes.push_back(
                fillIn(found.events
                           ? _("the calendar at %s takes only events; tasks are not synced")
                           : _("the calendar at %s takes only to-dos; appointments are not synced"),
                       {found.dates}));
        if (Status synced = syncCollection(dav, cardCodec, document, state, "addressbook",
                                           found.cards, found.cardsMade, uidStem,
                                           request.preferHere, found.cardsReadOnly, report);
            !synced)
            return synced;
        const CalendarCodec dateCodec(clock, found.events, found.todos);
        return syncCollection(dav, dateCodec, document, state, "calendar", found.dates,
                              found.datesMade, uidStem, request.preferHere, found.datesReadOnly,
                              report);
    };
    Status synced = syncBoth();
    if (!synced && known && dav.lastStatus() == 404) {
        // A collection found last time has gone: they are found anew, once.
        found = Found();
        if (Status status = find(dav, request, found, report); !status) return finish(status);
        synced = syncBoth();
    }
    return finish(synced);
}

std::string uidStemFor(const std::string& documentPath) {
    return "quillmate-" + documentKey(documentPath);
}
