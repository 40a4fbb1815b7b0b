#include "sync/Discovery.h"
#include "platform/Translate.h"

#include <set>

namespace {

constexpr const char* kPrincipalBody =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:propfind xmlns:d=\"DAV:\" "
    "xmlns:a=\"urn:ietf:params:xml:ns:carddav\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
    "<d:prop><d:current-user-principal/><a:addressbook-home-set/><c:calendar-home-set/>"
    "<d:resourcetype/><d:displayname/><c:supported-calendar-component-set/>"
    "<d:current-user-privilege-set/></d:prop>"
    "</d:propfind>";

std::string origin(const std::string& url) {
    const std::string path = DavClient::pathOf(url);
    return url.substr(0, url.size() - path.size());
}

std::string hrefIn(const DavResponse& response, std::string_view ns, std::string_view name) {
    const DavElement* prop = response.prop(ns, name);
    return prop == nullptr ? std::string() : prop->childText(kDav, "href");
}

std::string lastPart(std::string path) {
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    return path.substr(path.rfind('/') + 1);
}

// The collection a response describes; false when it is neither kind.
bool collectionOf(const std::string& base, const DavResponse& response, DavCollection& out) {
    const DavElement* type = response.prop(kDav, "resourcetype");
    if (type == nullptr) return false;
    out = DavCollection();
    out.url = DavClient::resolve(base, response.href);
    out.name = response.propText(kDav, "displayname");
    if (out.name.empty()) out.name = lastPart(DavClient::pathOf(out.url));
    out.addressBook = type->has(kCardDav, "addressbook");
    // Without the property a server says nothing of it: writing is tried, and a refusal
    // is reported item by item.
    if (const DavElement* privileges = response.prop(kDav, "current-user-privilege-set")) {
        out.readOnly = true;
        for (const DavElement& privilege : privileges->children)
            for (const DavElement& granted : privilege.children)
                if (granted.ns == kDav && (granted.name == "all" || granted.name == "write" ||
                                           granted.name == "write-content"))
                    out.readOnly = false;
    }
    if (type->has(kCalDav, "calendar")) {
        const DavElement* set = response.prop(kCalDav, "supported-calendar-component-set");
        // No set named means every kind of component.
        out.events = out.todos = set == nullptr || set->children.empty();
        if (set != nullptr) {
            for (const DavElement& comp : set->children) {
                out.events = out.events || comp.attribute("name") == "VEVENT";
                out.todos = out.todos || comp.attribute("name") == "VTODO";
            }
        }
    }
    return out.addressBook || out.events || out.todos;
}

Status listHome(DavClient& dav, const std::string& home, DavAccount& account) {
    std::string where = home;
    MultiStatus answer;
    if (Status listed = dav.propfind(where, "1", kPrincipalBody, answer); !listed) return listed;
    // A set of what is known, so that a home of many collections costs a look at each.
    std::set<std::string> known;
    for (const DavCollection& collection : account.collections)
        known.insert(collection.url);
    for (const DavResponse& response : answer.responses) {
        DavCollection collection;
        if (response.status == 200 && collectionOf(where, response, collection) &&
            known.insert(collection.url).second)
            account.collections.push_back(std::move(collection));
    }
    return {};
}

// After a refused MKCOL or MKCALENDAR: another client (another first sync, say) may have
// made the collection since the home was listed, which is then used as found. Otherwise
// the refusal stands.
Status madeMeanwhile(DavClient& dav, const Status& refused, bool addressBook, std::string& url,
                     bool& made) {
    if (dav.lastStatus() != 405 && dav.lastStatus() != 409) return refused;
    std::string where = url;
    MultiStatus answer;
    DavCollection collection;
    if (!dav.propfind(where, "0", kPrincipalBody, answer) || answer.responses.empty() ||
        !collectionOf(where, answer.responses.front(), collection) ||
        (addressBook ? !collection.addressBook : !collection.events && !collection.todos))
        return refused;
    url = collection.url;
    made = false;
    return {};
}

Status discover(DavClient& dav, const std::string& url, DavAccount& account) {
    account = DavAccount();
    std::string where = url;
    MultiStatus answer;
    Status asked = dav.propfind(where, "0", kPrincipalBody, answer);
    std::string principal;
    if (asked && !answer.responses.empty()) {
        const DavResponse& self = answer.responses.front();
        DavCollection collection;
        if (collectionOf(where, self, collection)) account.collections.push_back(collection);
        principal = hrefIn(self, kDav, "current-user-principal");
    }
    // A server that did not answer at all will not answer at another of its addresses.
    if (!asked && dav.lastStatus() == 0) return asked;
    if (principal.empty() && account.collections.empty()) {
        for (const char* wellKnown : {"/.well-known/carddav", "/.well-known/caldav"}) {
            std::string known = origin(url) + wellKnown;
            MultiStatus found;
            const Status tried = dav.propfind(known, "0", kPrincipalBody, found);
            if (!tried && dav.lastStatus() == 0) return tried;
            if (tried && !found.responses.empty()) {
                principal = hrefIn(found.responses.front(), kDav, "current-user-principal");
                where = known;
                if (!principal.empty()) break;
            }
        }
        if (principal.empty()) {
            if (!asked) return asked;
            return Status::failure(FailureKind::Content, url,
                                   _("the server names no account (current-user-principal) there"));
        }
    }
    if (!account.collections.empty() && principal.empty()) return {};
    std::string principalUrl = DavClient::resolve(where, principal);
    MultiStatus homes;
    if (Status found = dav.propfind(principalUrl, "0", kPrincipalBody, homes); !found) return found;
    // A principal that names no homes, or says nothing of itself, is its own home: an
    // empty home would be asked for as an address of nothing.
    std::string cards, dates;
    if (!homes.responses.empty()) {
        const DavResponse& self = homes.responses.front();
        cards = hrefIn(self, kCardDav, "addressbook-home-set");
        dates = hrefIn(self, kCalDav, "calendar-home-set");
    }
    account.addressBookHome = DavClient::resolve(principalUrl, cards.empty() ? principal : cards);
    account.calendarHome = DavClient::resolve(principalUrl, dates.empty() ? principal : dates);
    if (Status listed = listHome(dav, account.addressBookHome, account); !listed) return listed;
    if (account.calendarHome != account.addressBookHome) {
        if (Status listed = listHome(dav, account.calendarHome, account); !listed) return listed;
    }
    return {};
}

}  // namespace

Status discoverAccount(DavClient& dav, const std::string& url, DavAccount& account) {
    // One deadline for all its requests, so that a server that trickles its answers holds
    // the sync no longer than one answer may take.
    dav.startDeadline();
    const Status found = discover(dav, url, account);
    dav.stopDeadline();
    return found;
}

Status chooseCollection(DavClient& dav, const DavAccount& account, bool addressBook,
                        const std::string& wanted, std::string& url, bool& made) {
    made = false;
    if (wanted.starts_with("http://") || wanted.starts_with("https://")) {
        url = wanted;
        return {};
    }
    // Unnamed, a calendar that takes both events and to-dos comes before one that takes
    // only one kind, whose records of the other kind the server would refuse.
    for (const bool both : {true, false}) {
        for (const DavCollection& collection : account.collections) {
            const bool fits = addressBook              ? collection.addressBook
                              : both && wanted.empty() ? collection.events && collection.todos
                                                       : collection.events || collection.todos;
            if (fits && (wanted.empty() || collection.name == wanted ||
                         lastPart(DavClient::pathOf(collection.url)) == wanted)) {
                url = collection.url;
                return {};
            }
        }
    }

    const std::string& home = addressBook ? account.addressBookHome : account.calendarHome;
    if (!wanted.empty())
        return Status::failure(
            FailureKind::Content, home,
            fillIn(addressBook ? _("no address book named \"%s\"") : _("no calendar named \"%s\""),
                   {wanted}));
    if (home.empty())
        return Status::failure(FailureKind::Content, "",
                               addressBook
                                   ? _("the account has no address book and no place for one")
                                   : _("the account has no calendar and no place for one"));
    const std::string base = home.back() == '/' ? home : home + "/";
    if (addressBook) {
        url = base + "quillmate-contacts/";
        if (Status created = dav.create(
                "MKCOL", url,
                "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:mkcol xmlns:d=\"DAV:\" "
                "xmlns:a=\"urn:ietf:params:xml:ns:carddav\"><d:set><d:prop><d:resourcetype>"
                "<d:collection/><a:addressbook/></d:resourcetype><d:displayname>Quillmate"
                "</d:displayname></d:prop></d:set></d:mkcol>");
            !created)
            return madeMeanwhile(dav, created, true, url, made);
    } else {
        url = base + "quillmate-calendar/";
        if (Status created = dav.create(
                "MKCALENDAR", url,
                "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<c:mkcalendar xmlns:d=\"DAV:\" "
                "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop><d:displayname>"
                "Quillmate</d:displayname><c:supported-calendar-component-set>"
                "<c:comp name=\"VEVENT\"/><c:comp name=\"VTODO\"/>"
                "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>");
            !created)
            return madeMeanwhile(dav, created, false, url, made);
    }
    made = true;
    return {};
}
