#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "platform/HttpTransport.h"

class QNetworkAccessManager;

// HTTP through Qt Network, one request at a time, waiting in a local event loop (a
// QCoreApplication must exist). HTTPS checks the server's certificate against the system's
// certificates; one that does not verify fails the request with a message naming the host.
// The user name and password, when given, go with every request to the server they are
// meant for (HTTP basic), and with no other, wherever a server's answer points.
class QtHttpTransport : public HttpTransport {
public:
    // `server`: an address of the server the credentials are for. A request fails when the
    // server is silent for `timeoutSeconds`, when its whole answer takes longer than
    // `deadlineSeconds`, or when the answer's body grows past `bodyLimit` bytes.
    QtHttpTransport(const std::string& server, std::string user, std::string password,
                    int timeoutSeconds = 60, int deadlineSeconds = 600,
                    size_t bodyLimit = size_t{64} << 20);
    ~QtHttpTransport() override;

    // The most bytes of a body read at once, and handed to a request's sink in one piece.
    static constexpr size_t kPieceBytes = size_t{64} << 10;
    // What Qt may hold of a body that was not read yet.
    static constexpr size_t kReadAhead = 4 * kPieceBytes;

    HttpResponse send(const HttpRequest& request) override;
    std::chrono::seconds answerLimit() const override {
        return std::chrono::seconds(deadlineSeconds_);
    }

    // Takes a server certificate that does not verify when its SHA-256 fingerprint (hex
    // pairs joined by colons) is this one, which the user has seen and trusted.
    void trustCertificate(std::string fingerprint) { trusted_ = std::move(fingerprint); }
    // The fingerprint of the server's own certificate when it last did not verify; "" when
    // none failed.
    [[nodiscard]] const std::string& untrustedCertificate() const { return untrusted_; }
    // Requests fail at once, and one under way is cut, when `cancelled` turns true.
    void cancelWhen(const std::atomic<bool>* cancelled) { cancelled_ = cancelled; }

private:
    [[nodiscard]] bool isCancelled() const { return cancelled_ != nullptr && cancelled_->load(); }

    std::unique_ptr<QNetworkAccessManager> manager_;
    std::string origin_;  // scheme, host and port of the credentials' server
    std::string user_;
    std::string password_;
    int timeoutSeconds_;
    int deadlineSeconds_;
    size_t bodyLimit_;
    std::string trusted_;
    std::string untrusted_;
    const std::atomic<bool>* cancelled_ = nullptr;
};
