#include "platform/qt/QtHttpTransport.h"
#include "platform/Translate.h"

#include <algorithm>
#include <chrono>
#include <string_view>
#include <vector>

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QTimer>
#include <QUrl>

namespace {

std::string reasonOf(QNetworkReply& reply, const std::string& certificate, int timeoutSeconds) {
    if (!certificate.empty()) return certificate;
    switch (reply.error()) {
        case QNetworkReply::ConnectionRefusedError:
            return _("connection refused");
        case QNetworkReply::HostNotFoundError:
            return fillIn(_("host %s not found"), {reply.url().host().toStdString()});
        case QNetworkReply::TimeoutError:
        case QNetworkReply::OperationCanceledError:
            return fillIn(_("no answer within %s seconds"), {std::to_string(timeoutSeconds)});
        case QNetworkReply::RemoteHostClosedError:
            return _("the server closed the connection");
        default:
            return reply.errorString().toStdString();
    }
}

std::string fingerprintOf(const QSslCertificate& certificate) {
    return certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper().toStdString();
}

// How often a request under way looks whether it was cancelled.
constexpr int kCancelPollMs = 100;

QString originOf(const QUrl& url) {
    return url
        .adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                  QUrl::RemoveUserInfo)
        .toString();
}

}  // namespace

QtHttpTransport::QtHttpTransport(const std::string& server, std::string user, std::string password,
                                 int timeoutSeconds, int deadlineSeconds, size_t bodyLimit)
    : manager_(std::make_unique<QNetworkAccessManager>()),
      origin_(originOf(QUrl(QString::fromStdString(server))).toStdString()),
      user_(std::move(user)),
      password_(std::move(password)),
      timeoutSeconds_(timeoutSeconds),
      deadlineSeconds_(deadlineSeconds),
      bodyLimit_(bodyLimit) {}

QtHttpTransport::~QtHttpTransport() = default;

HttpResponse QtHttpTransport::send(const HttpRequest& request) {
    HttpResponse response;
    if (isCancelled()) {
        response.error = _("cancelled");
        response.failure = HttpFailure::Cancelled;
        return response;
    }
    const QUrl url(QString::fromStdString(request.url), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https")) {
        response.error = _("not an http or https address");
        return response;
    }
    QNetworkRequest outgoing(url);
    outgoing.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                          QNetworkRequest::ManualRedirectPolicy);
    outgoing.setTransferTimeout(timeoutSeconds_ * 1000);
    for (const auto& [name, value] : request.headers)
        outgoing.setRawHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
    if ((!user_.empty() || !password_.empty()) && originOf(url).toStdString() == origin_) {
        const QByteArray credentials = QByteArray::fromStdString(user_ + ":" + password_);
        outgoing.setRawHeader("Authorization", "Basic " + credentials.toBase64());
    }
    std::unique_ptr<QNetworkReply> reply(
        manager_->sendCustomRequest(outgoing, QByteArray::fromStdString(request.method),
                                    QByteArray::fromStdString(request.body)));
    std::string certificate;
    QObject::connect(reply.get(), &QNetworkReply::sslErrors, [&](const QList<QSslError>& errors) {
        // Ignored only when the server's own certificate is the one the user trusted for this
        // account; an error may name another certificate of the chain the server sent, which
        // anyone can add. Else the request fails, and the message says whose certificate it was.
        const QSslCertificate peer = reply->sslConfiguration().peerCertificate();
        const std::string fingerprint = peer.isNull() ? std::string() : fingerprintOf(peer);
        if (!trusted_.empty() && fingerprint == trusted_) {
            reply->ignoreSslErrors(errors);
            return;
        }
        untrusted_ = fingerprint;
        certificate =
            fillIn(_("the certificate of %s does not verify"), {url.host().toStdString()});
        if (!errors.isEmpty())
            certificate += " (" + errors.first().errorString().toStdString() + ")";
    });
    // A server that trickles bytes, or sends without end, must not hold or fill the machine.
    // The body is read a bounded piece at a time, and Qt holds no more than a few pieces
    // unread, so that it is held once: by the sink, or in response.body.
    std::string cut;
    const std::string host = url.host().toStdString();
    // Qt's HTTP thread takes the limit only once it began the request, so it is said again
    // when the answer starts.
    const auto limitReadAhead = [&] { reply->setReadBufferSize(qint64(kReadAhead)); };
    limitReadAhead();
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, limitReadAhead);
    std::vector<char> piece(kPieceBytes);
    size_t received = 0;
    const auto drain = [&] {
        if (!cut.empty()) return;
        if (request.sink == nullptr && response.body.empty()) {
            // Room for the whole body at once where its size is said, so that it is not
            // copied over as it grows.
            const qint64 size = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
            if (size > 0 && size_t(size) <= bodyLimit_) response.body.reserve(size_t(size));
        }
        for (qint64 got; (got = reply->read(piece.data(), qint64(piece.size()))) > 0;) {
            received += size_t(got);
            if (received > bodyLimit_) {
                cut = bodyLimit_ >= (1u << 20)
                          ? fillIn(_("the answer of %s is larger than %s MB"),
                                   {host, std::to_string(bodyLimit_ >> 20)})
                          : fillIn(_("the answer of %s is larger than %s bytes"),
                                   {host, std::to_string(bodyLimit_)});
                reply->abort();
                return;
            }
            if (request.sink != nullptr)
                request.sink->take(std::string_view(piece.data(), size_t(got)));
            else
                response.body.append(piece.data(), size_t(got));
        }
    };
    QObject::connect(reply.get(), &QNetworkReply::readyRead, drain);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        cut = fillIn(_("no complete answer from %s within %s seconds"),
                     {host, std::to_string(deadlineSeconds_)});
        reply->abort();
    });
    QTimer cancelPoll;
    HttpFailure cutBecause = HttpFailure::None;
    QObject::connect(&cancelPoll, &QTimer::timeout, [&] {
        if (!isCancelled()) return;
        cut = _("cancelled");
        cutBecause = HttpFailure::Cancelled;
        reply->abort();
    });
    if (cancelled_ != nullptr) cancelPoll.start(kCancelPollMs);
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        using namespace std::chrono;
        // The sooner of this answer's own deadline and the one of the step it belongs to.
        milliseconds wait = seconds(deadlineSeconds_);
        if (request.until != steady_clock::time_point::max())
            wait = std::clamp(duration_cast<milliseconds>(request.until - steady_clock::now()),
                              milliseconds(0), wait);
        deadline.start(wait);
        loop.exec();
    }
    if (!cut.empty()) return {0, {}, {}, cut, cutBecause};
    // Cut off after the status line: what came is no answer, and reading it would only
    // find broken XML. Qt does not always say so, so the length the server promised is
    // looked at too (unless the body came compressed, which changes its length).
    const QNetworkReply::NetworkError broke = reply->error();
    const qint64 promised = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    const bool shortOfPromise = promised > 0 && reply->rawHeader("Content-Encoding").isEmpty() &&
                                qint64(received) + reply->bytesAvailable() < promised;
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 0 &&
        (shortOfPromise ||
         (broke > QNetworkReply::NoError && broke < QNetworkReply::ProxyConnectionRefusedError) ||
         broke == QNetworkReply::ProtocolFailure)) {
        const std::string why = broke == QNetworkReply::NoError
                                    ? _("the server closed the connection")
                                    : reasonOf(*reply, certificate, timeoutSeconds_);
        return {
            0,
            {},
            {},
            fillIn(_("the connection to %s broke before the whole answer came (%s)"), {host, why}),
            HttpFailure::None};
    }

    response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (response.status == 0) {
        response.body.clear();
        response.error = reasonOf(*reply, certificate, timeoutSeconds_);
        if (!certificate.empty()) response.failure = HttpFailure::Certificate;
        return response;
    }
    for (const auto& [name, value] : reply->rawHeaderPairs())
        response.headers.emplace_back(name.toStdString(), value.toStdString());
    drain();
    if (!cut.empty()) return {0, {}, {}, cut, HttpFailure::None};
    return response;
}
