#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "platform/HttpTransport.h"
#include "platform/Status.h"
#include "sync/DavXml.h"

// WebDAV requests over a transport: each answer checked, each failure a Status that says
// what went wrong and at which address. Counts the requests it sends.
class DavClient {
public:
    // `writes` false makes PUT, DELETE and collection creation pretend to succeed without
    // sending anything, for a dry run.
    DavClient(HttpTransport& transport, bool writes) : transport_(transport), writes_(writes) {}

    // The absolute address of `href` as the server at `base` wrote it.
    [[nodiscard]] static std::string resolve(std::string_view base, std::string_view href);
    // The scheme, host and port of an absolute address ("http://h:1").
    [[nodiscard]] static std::string originOf(std::string_view url);
    // The path of an absolute address ("/alice/contacts/" of "http://h:1/alice/contacts/").
    [[nodiscard]] static std::string pathOf(std::string_view url);
    // The path with a slash at its end, as a collection's path is compared.
    [[nodiscard]] static std::string folderOf(std::string_view url);

    // PROPFIND with `depth` ("0", "1"), following redirects; `url` becomes where it ended.
    Status propfind(std::string& url, const char* depth, const std::string& body, MultiStatus& out);
    // REPORT; the HTTP status is kept in `code` so that a caller can fall back.
    Status report(const std::string& url, const char* depth, const std::string& body,
                  MultiStatus& out, int* code = nullptr);
    // GET of one resource; `etag` receives its ETag.
    Status get(const std::string& url, std::string& body, std::string& etag, int* code = nullptr);
    // PUT of a resource: with `ifMatch` when it exists, else only when it does not. `code`
    // receives the status (412 when the condition failed, or one of refusesContent, which
    // are no failure here) and `etag` the new ETag, read back when the answer had none.
    Status put(const std::string& url, const std::string& body, std::string_view contentType,
               const std::string& ifMatch, int& code, std::string& etag);
    // DELETE with `ifMatch`, refused without one; `code` as for put (404 means it was gone
    // already).
    Status remove(const std::string& url, const std::string& ifMatch, int& code);
    // MKCOL or MKCALENDAR with a body.
    Status create(const char* method, const std::string& url, const std::string& body);

    // From now on every request must be answered before the transport's answer limit
    // (answerLimit) has passed once, counted from here: the requests of one step share
    // it. Ends when `stopDeadline` is called.
    void startDeadline();
    void stopDeadline() { until_ = std::chrono::steady_clock::time_point::max(); }

    [[nodiscard]] int requests() const { return requests_; }
    // The status of the last answer; 0 when none came.
    [[nodiscard]] int lastStatus() const { return lastStatus_; }
    // Why the last request got no answer, where the transport knew.
    [[nodiscard]] HttpFailure lastFailure() const { return lastFailure_; }

    // Whether a PUT's status says that the server will not take that one item (400, 415,
    // 422), which spoils nothing else.
    [[nodiscard]] static bool refusesContent(int code);
    // Whether a status given to a request for one item refuses that item alone (400, 403,
    // 405, 409, 414, 415, 422): it is skipped, and the rest of its collection syncs.
    [[nodiscard]] static bool refusesItem(int code);
    // Whether If-Match can carry the ETag: quoted and not weak; "" (none) passes too.
    [[nodiscard]] static bool strongEtag(std::string_view etag);
    // The address with what may not stand in its path (spaces, quotes, bytes past ASCII
    // ...) percent-escaped, as a server may write an href raw.
    [[nodiscard]] static std::string escaped(std::string_view url);
    // The failure an answer stands for, or success for a 2xx status.
    [[nodiscard]] static Status failureOf(const HttpResponse& response, const std::string& url);

private:
    HttpResponse send(HttpRequest request);

    HttpTransport& transport_;
    bool writes_;
    int requests_ = 0;
    int lastStatus_ = 0;
    HttpFailure lastFailure_ = HttpFailure::None;
    std::chrono::steady_clock::time_point until_ = std::chrono::steady_clock::time_point::max();
};
