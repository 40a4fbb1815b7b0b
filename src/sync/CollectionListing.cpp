#include "platform/Translate.h"
#include "sync/CollectionSync.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <utility>

// How a sync finds what changed on the server and fetches it.

namespace {

// Items fetched with one report.
constexpr size_t kBatch = 100;
// Pages of a sync-collection answer the server cuts short, followed at most.
constexpr int kPages = 1000;

// Statuses with which a server says that it does not do a report.
bool unsupported(int code) {
    return code == 400 || code == 403 || code == 404 || code == 405 || code == 409 || code == 415 ||
           code == 501;
}

// Asks for the items' texts as well: a server that lists a change sends it at once, which
// spares a fetch for each changed item.
std::string syncCollectionBody(const std::string& token, const ItemCodec& codec) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:sync-collection xmlns:d=\"DAV:\" "
           "xmlns:c=\"" +
           std::string(codec.dataNamespace()) + "\"><d:sync-token>" + xmlEscaped(token) +
           "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/><c:" +
           codec.dataProperty() + "/></d:prop></d:sync-collection>";
}

constexpr const char* kListingBody =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:propfind xmlns:d=\"DAV:\"><d:prop>"
    "<d:getetag/><d:resourcetype/></d:prop></d:propfind>";

}  // namespace

namespace {

// The path of an address with its percent escapes decoded, for comparing names.
std::string samePath(const std::string& address) {
    const std::string path = DavClient::pathOf(address);
    std::string out;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '%' && i + 2 < path.size() && std::isxdigit(uint8_t(path[i + 1])) &&
            std::isxdigit(uint8_t(path[i + 2]))) {
            out += static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += path[i];
        }
    }
    return out;
}

}  // namespace

bool CollectionSync::onThisServer(const std::string& href) {
    // An item named on another server would have us send requests where the user never
    // pointed us.
    if (DavClient::originOf(url(href)) == DavClient::originOf(state_.url)) return true;
    skip(href, _("it lies on another server than its collection"));
    return false;
}

Status CollectionSync::list(std::map<std::string, std::string>& changed,
                            std::set<std::string>& gone, std::string& token) {
    if (state_.token.empty()) return listAll(changed, gone, token);
    return listSince(state_.token, true, changed, gone, token);
}

bool CollectionSync::truncated(const MultiStatus& answer) const {
    const std::string self = DavClient::folderOf(state_.url);
    return std::ranges::any_of(answer.responses, [&](const DavResponse& response) {
        return response.status == 507 && DavClient::folderOf(url(response.href)) == self;
    });
}

Status CollectionSync::listSince(std::string from, bool mayRestart,
                                 std::map<std::string, std::string>& changed,
                                 std::set<std::string>& gone, std::string& token) {
    // A server that cuts its answer short (507 on the collection) gives a token to go on
    // from; the pages are bounded in case one never ends.
    for (int page = 0; page < kPages; ++page) {
        MultiStatus answer;
        int code = 0;
        const Status reported =
            dav_.report(state_.url, "1", syncCollectionBody(from, codec_), answer, &code);
        // A token the server no longer knows costs a full listing.
        if (!reported && unsupported(code) && mayRestart) return listAll(changed, gone, token);
        if (!reported) return reported;
        const std::string self = DavClient::folderOf(state_.url);
        for (DavResponse& response : answer.responses) {
            if (DavClient::folderOf(url(response.href)) == self) continue;
            if (!onThisServer(response.href)) continue;
            if (response.status == 404) {
                gone.insert(response.href);
                changed.erase(response.href);
                continue;
            }
            gone.erase(response.href);
            noteListed(response, changed);
        }
        token = answer.syncToken;
        if (!truncated(answer) || token.empty() || token == from) return {};
        from = token;
    }
    return {};
}

void CollectionSync::confirmToken() {
    // The token was listed before our writes. A server that names the exact changes since
    // a token never names an item made and deleted after it, so an item we sent that
    // another client deletes would stay here for good: the token after our writes is taken
    // when they are all that changed since. Otherwise, or when asking fails, the older
    // token stays, which costs a look at our own writes again and loses nothing.
    std::map<std::string, std::string> changed;
    std::set<std::string> gone;
    std::string token;
    const size_t skipped = report_.skipped.size();
    const Status listed = listSince(state_.token, false, changed, gone, token);
    report_.skipped.resize(skipped);
    prefetched_.clear();
    if (!listed || token.empty() || !changed.empty()) return;
    if (std::ranges::any_of(gone,
                            [&](const std::string& href) { return state_.items.contains(href); }))
        return;
    state_.token = token;
}

void CollectionSync::noteListed(DavResponse& response,
                                std::map<std::string, std::string>& changed) {
    const std::string etag = response.propText(kDav, "getetag");
    if (etag.empty()) {
        skip(response.href, _("the server gave it no ETag"));
        return;
    }
    const auto known = state_.items.find(response.href);
    if (known != state_.items.end() && known->second.etag == etag) return;
    changed[response.href] = etag;
    // Kept when the listing sent the text along, which spares fetching it; taken from the
    // answer rather than copied.
    for (DavElement& data : response.props) {
        if (data.ns != codec_.dataNamespace() || data.name != codec_.dataProperty()) continue;
        if (!data.text.empty()) prefetched_[response.href] = {etag, std::move(data.text)};
        break;
    }
}

Status CollectionSync::listAll(std::map<std::string, std::string>& changed,
                               std::set<std::string>& gone, std::string& token) {
    MultiStatus answer;
    int code = 0;
    Status listed = dav_.report(state_.url, "1", syncCollectionBody("", codec_), answer, &code);
    if (!listed && unsupported(code)) {
        std::string where = state_.url;
        listed = dav_.propfind(where, "1", kListingBody, answer);
        answer.syncToken.clear();
    }
    if (!listed) return listed;
    const std::string self = DavClient::folderOf(state_.url);
    std::set<std::string> present;
    for (DavResponse& response : answer.responses) {
        if (response.status == 404) continue;
        if (DavClient::folderOf(url(response.href)) == self) continue;
        if (!onThisServer(response.href)) continue;
        const DavElement* type = response.prop(kDav, "resourcetype");
        if (type != nullptr && type->has(kDav, "collection")) continue;
        // Even without an ETag it is there: neither new nor gone.
        present.insert(response.href);
        noteListed(response, changed);
    }
    token = answer.syncToken;
    // Cut short, the listing says nothing of what it leaves out: the rest comes after its token.
    if (truncated(answer) && !token.empty()) return listSince(token, false, changed, gone, token);
    for (const auto& [href, item] : state_.items) {
        if (!present.contains(href)) gone.insert(href);
    }
    return {};
}

Status CollectionSync::fetchOne(const std::string& href, Fetched& out, bool& gone) {
    int code = 0;
    const Status got = dav_.get(url(href), out.body, out.etag, &code);
    gone = code == 404 || code == 410;
    return gone ? Status() : got;
}

Status CollectionSync::fetch(const std::vector<std::string>& hrefs,
                             std::map<std::string, Fetched>& out) {
    for (size_t from = 0; from < hrefs.size(); from += kBatch) {
        const std::vector<std::string> batch(hrefs.begin() + from,
                                             hrefs.begin() + std::min(from + kBatch, hrefs.size()));
        MultiStatus answer;
        int code = 0;
        const Status reported =
            dav_.report(state_.url, "1", codec_.multigetBody(batch), answer, &code);
        if (!reported && !unsupported(code)) return reported;
        if (!reported) {
            // A server without the report: each item by itself.
            for (const std::string& href : batch) {
                Fetched fetched;
                bool gone = false;
                if (Status got = fetchOne(href, fetched, gone); !got) {
                    if (!DavClient::refusesItem(dav_.lastStatus())) return got;
                    skip(href, got.reason());
                } else if (gone)
                    serverDeleted(href);
                else
                    out[href] = std::move(fetched);
            }
            continue;
        }
        // Answers are taken only for what was asked, under the name it was asked by: the
        // server may write a name otherwise (%40 for @), and must not slip in others.
        std::map<std::string, std::string> asked;
        for (const std::string& href : batch)
            asked[samePath(url(href))] = href;
        for (DavResponse& response : answer.responses) {
            if (!onThisServer(response.href)) continue;
            const auto it = asked.find(samePath(url(response.href)));
            if (it == asked.end()) continue;
            const std::string& href = it->second;
            if (response.status == 404) {
                serverDeleted(href);
                continue;
            }
            DavElement* data = response.prop(codec_.dataNamespace(), codec_.dataProperty());
            if (data == nullptr || data->text.empty()) {
                skip(href, _("the server sent no text for it"));
                continue;
            }
            // Taken from the answer rather than copied, as a listing's texts are.
            out[href] = {response.propText(kDav, "getetag"), std::move(data->text)};
        }
    }
    return {};
}
