#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One HTTP request as the sync engine makes it.
struct HttpRequest {
    std::string method;  // "PROPFIND", "REPORT", "PUT" ...
    std::string url;     // absolute
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
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
};
