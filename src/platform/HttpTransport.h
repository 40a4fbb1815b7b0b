#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Takes an answer's body a piece at a time as it arrives, so that it need not be held whole.
class HttpBodySink {
public:
    virtual ~HttpBodySink() = default;
    // The next bytes of the body; the view lasts for the call only.
    virtual void take(std::string_view piece) = 0;
};

// One HTTP request as the sync engine makes it.
struct HttpRequest {
    std::string method;  // "PROPFIND", "REPORT", "PUT" ...
    std::string url;     // absolute
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    // The whole answer must have come by then, else the request fails as one cut short.
    std::chrono::steady_clock::time_point until = std::chrono::steady_clock::time_point::max();
    // Where the answer's body goes as it arrives, whatever its status, instead of into
    // HttpResponse::body; a transport that cannot hand it on so leaves it there.
    HttpBodySink* sink = nullptr;
};

// Why no answer came, for a caller to act on without reading the message.
enum class HttpFailure {
    None,         // an answer came, or the reason is none of the others
    Cancelled,    // the user cancelled the request
    Certificate,  // the server's certificate does not verify
};

// What came back: a status and body, or why nothing did.
struct HttpResponse {
    int status = 0;  // 0 when no answer came (see error)
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    std::string error;  // why no answer came: "connection refused", "timed out" ...
    HttpFailure failure = HttpFailure::None;  // the kind of that reason, where it has one

    // The first header of that name, compared without case; "" for none.
    [[nodiscard]] std::string header(std::string_view name) const;
};

// Sends requests one at a time and waits for each answer. The HTTP implementation lives
// with the other platform implementations; tests script one.
class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    // Sends the request, following no redirect.
    [[nodiscard]] virtual HttpResponse send(const HttpRequest& request) = 0;
    // How long one whole answer may take; zero for no limit. Several requests that make one
    // step (finding an account) share it.
    [[nodiscard]] virtual std::chrono::seconds answerLimit() const {
        return std::chrono::seconds::zero();
    }
};
