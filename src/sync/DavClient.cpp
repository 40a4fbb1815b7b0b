#include "sync/DavClient.h"
#include "platform/HexEscape.h"
#include "platform/Translate.h"
#include "sync/DavXmlReader.h"

#include <utility>

namespace {

constexpr const char* kXml = "application/xml; charset=utf-8";
// Redirects followed for one request, enough for any well-known address.
constexpr int kRedirectLimit = 5;
constexpr const char* kEtagBody =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:propfind xmlns:d=\"DAV:\"><d:prop>"
    "<d:getetag/></d:prop></d:propfind>";

bool isRedirect(int code) {
    return code == 301 || code == 302 || code == 303 || code == 307 || code == 308;
}

// A multistatus answer read, failing with the place when it is malformed. Its body went to
// `reader` as it came, or is in the response when the transport kept it.
Status readMultiStatus(const HttpResponse& response, DavXmlReader& reader, const std::string& url,
                       MultiStatus& out) {
    if (response.status != 207)
        return Status::failure(FailureKind::Content, url,
                               fillIn(_("the server answered %s where a multistatus (207) was due"),
                                      {std::to_string(response.status)}));
    if (!response.body.empty()) reader.take(response.body);
    if (Status parsed = reader.finish(out); !parsed) {
        return Status::failure(parsed.kind(), url, parsed.reason(), parsed.line(), parsed.column());
    }
    return {};
}

// If-Match compares strongly: a weak or unquoted ETag never matches, and every write would
// fail as if the item had changed.
Status conditionable(const std::string& ifMatch, const std::string& url) {
    if (DavClient::strongEtag(ifMatch)) return {};
    return Status::failure(
        FailureKind::Content, url,
        fillIn(_("the server %s gives the ETag %s, which is weak or unquoted, so "
                 "no change can be sent to it safely"),
               {DavClient::originOf(url), ifMatch}));
}

}  // namespace

std::string DavClient::originOf(std::string_view url) {
    const size_t scheme = url.find("://");
    if (scheme == std::string_view::npos) return {};
    return std::string(url.substr(0, url.find('/', scheme + 3)));
}

bool DavClient::strongEtag(std::string_view etag) {
    return etag.empty() || (etag.size() >= 2 && etag.front() == '"' && etag.back() == '"');
}

bool DavClient::refusesItem(int code) {
    return code == 400 || code == 403 || code == 405 || code == 409 || code == 414 || code == 415 ||
           code == 422;
}

std::string DavClient::escaped(std::string_view url) {
    static constexpr std::string_view kUnsafe = " \"<>\\^`{|}";
    // The host stays as written: only a path holds what a server writes raw.
    std::string out = originOf(url);
    out.reserve(url.size());
    for (const char c : url.substr(out.size())) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x21 || byte > 0x7e || kUnsafe.find(c) != std::string_view::npos) {
            appendHexEscape(out, "%", byte);
        } else {
            out += c;
        }
    }
    return out;
}

bool DavClient::refusesContent(int code) {
    return code == 400 || code == 415 || code == 422;
}

std::string DavClient::resolve(std::string_view base, std::string_view href) {
    if (href.starts_with("http://") || href.starts_with("https://")) return std::string(href);
    if (href.starts_with("/")) return originOf(base) + std::string(href);
    const size_t slash = base.rfind('/');
    return std::string(base.substr(0, slash + 1)) + std::string(href);
}

std::string DavClient::pathOf(std::string_view url) {
    const std::string root = originOf(url);
    const std::string_view rest = url.substr(root.size());
    return rest.empty() ? std::string("/") : std::string(rest);
}

std::string DavClient::folderOf(std::string_view url) {
    std::string path = pathOf(url);
    if (path.back() != '/') path += '/';
    return path;
}

void DavClient::startDeadline() {
    const std::chrono::seconds limit = transport_.answerLimit();
    until_ = limit.count() > 0 ? std::chrono::steady_clock::now() + limit
                               : std::chrono::steady_clock::time_point::max();
}

HttpResponse DavClient::send(HttpRequest request) {
    request.url = escaped(request.url);
    request.until = until_;
    HttpResponse response;
    if (std::chrono::steady_clock::now() >= until_) {
        // Said as the transport says a deadline that passed while it waited.
        std::string host = originOf(request.url);
        host.erase(0, host.find("://") + 3);
        response.error = fillIn(_("no complete answer from %s within %s seconds"),
                                {host, std::to_string(transport_.answerLimit().count())});
    } else {
        ++requests_;
        response = transport_.send(request);
    }
    lastStatus_ = response.status;
    lastFailure_ = response.failure;
    return response;
}

Status DavClient::failureOf(const HttpResponse& response, const std::string& url) {
    if (response.status >= 200 && response.status <= 299) return {};
    if (response.status == 0) {
        const std::string why = response.error.empty() ? _("no answer") : response.error;
        return Status::failure(FailureKind::Read, url,
                               fillIn(_("the server cannot be reached: %s"), {why}));
    }
    std::string reason;
    switch (response.status) {
        case 401:
            reason = _("the server refused the user name or password (401)");
            break;
        case 403:
            reason = _("the server denies access to it (403)");
            break;
        case 404:
            reason = _("not found on the server; the collection may be gone (404)");
            break;
        case 507:
            reason = _("the server is out of storage space (507)");
            break;
        default:
            reason = fillIn(_("the server answered %s"), {std::to_string(response.status)});
    }
    return Status::failure(FailureKind::Content, url, reason);
}

Status DavClient::propfind(std::string& url, const char* depth, const std::string& body,
                           MultiStatus& out) {
    for (int hop = 0;; ++hop) {
        DavXmlReader reader;
        HttpRequest request{"PROPFIND", url, {{"Depth", depth}, {"Content-Type", kXml}}, body};
        request.sink = &reader;
        const HttpResponse response = send(std::move(request));
        if (isRedirect(response.status) && hop < kRedirectLimit &&
            !response.header("Location").empty()) {
            url = resolve(url, response.header("Location"));
            continue;
        }
        if (Status failed = failureOf(response, url); !failed) return failed;
        return readMultiStatus(response, reader, url, out);
    }
}

Status DavClient::report(const std::string& url, const char* depth, const std::string& body,
                         MultiStatus& out, int* code) {
    DavXmlReader reader;
    HttpRequest request{"REPORT", url, {{"Depth", depth}, {"Content-Type", kXml}}, body};
    request.sink = &reader;
    const HttpResponse response = send(std::move(request));
    if (code) *code = response.status;
    if (Status failed = failureOf(response, url); !failed) return failed;
    return readMultiStatus(response, reader, url, out);
}

Status DavClient::get(const std::string& url, std::string& body, std::string& etag, int* code) {
    HttpResponse response = send({"GET", url, {}, {}});
    if (code) *code = response.status;
    if (Status failed = failureOf(response, url); !failed) return failed;
    body = std::move(response.body);
    etag = response.header("ETag");
    return {};
}

Status DavClient::put(const std::string& url, const std::string& body, std::string_view contentType,
                      const std::string& ifMatch, int& code, std::string& etag) {
    etag.clear();
    if (!writes_) {
        code = 204;
        return {};
    }
    if (Status usable = conditionable(ifMatch, url); !usable) return usable;
    HttpRequest request{"PUT", url, {{"Content-Type", std::string(contentType)}}, body};
    if (ifMatch.empty())
        request.headers.emplace_back("If-None-Match", "*");
    else
        request.headers.emplace_back("If-Match", ifMatch);
    const HttpResponse response = send(std::move(request));
    code = response.status;
    if (code == 412 || refusesContent(code)) return {};
    if (Status failed = failureOf(response, url); !failed) return failed;
    etag = response.header("ETag");
    if (etag.empty()) {
        // Servers may leave the ETag out of a PUT's answer; without it the next sync would
        // take the item for changed there. Left empty if this fails: the content decides then.
        std::string where = url;
        MultiStatus answer;
        if (propfind(where, "0", kEtagBody, answer) && answer.responses.size() == 1)
            etag = answer.responses[0].propText(kDav, "getetag");
    }
    return {};
}

Status DavClient::remove(const std::string& url, const std::string& ifMatch, int& code) {
    if (!writes_) {
        code = 204;
        return {};
    }
    // A DELETE without If-Match would remove whatever another client wrote meanwhile.
    if (ifMatch.empty())
        return Status::failure(FailureKind::Content, url,
                               _("not deleted on the server: no ETag of it is known"));
    if (Status usable = conditionable(ifMatch, url); !usable) return usable;
    HttpRequest request{"DELETE", url, {{"If-Match", ifMatch}}, {}};
    const HttpResponse response = send(std::move(request));
    code = response.status;
    if (code == 412 || code == 404) return {};
    return failureOf(response, url);
}

Status DavClient::create(const char* method, const std::string& url, const std::string& body) {
    if (!writes_) return {};
    return failureOf(send({method, url, {{"Content-Type", kXml}}, body}), url);
}
