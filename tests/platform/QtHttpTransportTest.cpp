#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstring>

#include "cli/commands/QtApplication.h"
#include "platform/qt/QtHttpTransport.h"
#include "support/ScratchDir.h"
#include "support/TlsTestServer.h"

namespace {

TEST(QtHttpTransportTest, AnAnswerTooLargeOrNeverFinishedFailsNamingTheHost) {
    const auto app = makeQtApplication<QCoreApplication>();  // for Qt Network
    const struct {
        const char* label;
        QByteArray answer;  // sent at once
        bool closes;        // the server closes the connection then, else it stays open
        const char* error;
        QByteArray later = {};  // the rest of the answer, sent 1.5 seconds on
        int stepMs = 0;         // the deadline of the step the request belongs to; 0: none
    } rows[] = {
        {"body past the limit",
         "HTTP/1.1 200 OK\r\nContent-Length: 4096\r\n\r\n" + QByteArray(4096, 'x'), false,
         "the answer of 127.0.0.1 is larger than 1024 bytes"},
        {"body that never ends", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort", false,
         "no complete answer from 127.0.0.1 within 1 seconds"},
        {"body cut off", "HTTP/1.1 207 Multi-Status\r\nContent-Length: 100\r\n\r\n<d:multi", true,
         "the connection to 127.0.0.1 broke before the whole answer came (the server closed the "
         "connection)"},
        {"answer due after its step's deadline",
         "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhalf", false,
         "no complete answer from 127.0.0.1 within 3 seconds", "-done!", 300},
    };
    for (const auto& row : rows) {
        QTcpServer server;
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost)) << row.label;
        QObject::connect(&server, &QTcpServer::newConnection, [&] {
            QTcpSocket* socket = server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, [socket, &row] {
                socket->readAll();
                socket->write(row.answer);
                if (row.closes) socket->disconnectFromHost();
                if (!row.later.isEmpty())
                    QTimer::singleShot(1500, socket, [socket, &row] { socket->write(row.later); });
            });
        });
        const std::string url = "http://127.0.0.1:" + std::to_string(server.serverPort()) + "/";
        QtHttpTransport transport(url, "", "", 60, row.stepMs ? 3 : 1, 1024);
        HttpRequest request{"GET", url, {}, {}};
        if (row.stepMs)
            request.until =
                std::chrono::steady_clock::now() + std::chrono::milliseconds(row.stepMs);
        const HttpResponse response = transport.send(request);
        EXPECT_EQ(response.status, 0) << row.label;
        EXPECT_EQ(response.error, row.error) << row.label;
    }
}

// A body goes to the request's sink in bounded pieces as it arrives, never whole, and the
// limit on an answer counts the bytes as they come.
TEST(QtHttpTransportTest, ASinkTakesTheBodyInBoundedPieces) {
    const auto app = makeQtApplication<QCoreApplication>();  // for Qt Network
    struct Pieces : HttpBodySink {
        void take(std::string_view piece) override {
            body.append(piece);
            largest = std::max(largest, piece.size());
            ++count;
        }
        std::string body;
        size_t largest = 0;
        int count = 0;
    };
    QByteArray body(3 << 20, 'x');
    for (int i = 0; i < body.size(); i += 4093)
        body[i] = char('a' + i % 26);
    const QByteArray answer =
        "HTTP/1.1 207 Multi-Status\r\nContent-Length: " + QByteArray::number(body.size()) +
        "\r\n\r\n" + body;
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, [socket, &answer] {
            socket->readAll();
            socket->write(answer);
        });
    });
    const std::string url = "http://127.0.0.1:" + std::to_string(server.serverPort()) + "/";
    for (const size_t limit : {size_t{64} << 20, size_t{1} << 20}) {
        QtHttpTransport transport(url, "", "", 60, 60, limit);
        Pieces sink;
        HttpRequest request{"REPORT", url, {}, {}};
        request.sink = &sink;
        const HttpResponse response = transport.send(request);
        EXPECT_LE(sink.largest, QtHttpTransport::kPieceBytes);
        EXPECT_TRUE(response.body.empty());
        if (limit > size_t(body.size())) {
            EXPECT_EQ(response.status, 207) << response.error;
            EXPECT_GT(sink.count, 1);
            EXPECT_TRUE(sink.body == body.toStdString());
        } else {
            EXPECT_EQ(response.error, "the answer of 127.0.0.1 is larger than 1 MB");
            EXPECT_LE(sink.body.size(), limit);
        }
    }
}

// A certificate that does not verify fails the request, naming the host, and is named by its
// fingerprint; once trusted by that fingerprint, the same server answers.
TEST(QtHttpTransportTest, ACertificateTrustedByItsFingerprintIsTaken) {
    const auto app = makeQtApplication<QCoreApplication>();  // for Qt Network
    ScratchDir dir;
    const std::string folder = dir.path().string();
    const std::string fingerprint = makeSelfSignedCertificate(folder);
    ASSERT_FALSE(fingerprint.empty());
    TlsTestServer server(folder,
                         "server = http.server.HTTPServer(('127.0.0.1', 0), "
                         "http.server.BaseHTTPRequestHandler)\n",
                         "for _ in range(2):\n"
                         "    server.handle_request()\n");
    ASSERT_FALSE(server.url().empty());
    const std::string url = server.url();

    QtHttpTransport refusing(url, "", "");
    const HttpResponse refused = refusing.send({"GET", url, {}, {}});
    EXPECT_EQ(refused.status, 0);
    EXPECT_NE(refused.error.find("the certificate of 127.0.0.1 does not verify"), std::string::npos)
        << refused.error;
    EXPECT_EQ(refusing.untrustedCertificate(), fingerprint);

    QtHttpTransport trusting(url, "", "");
    trusting.trustCertificate(fingerprint);
    const HttpResponse answered = trusting.send({"GET", url, {}, {}});
    server.finish();
    EXPECT_EQ(answered.status, 501) << answered.error;
}

}  // namespace
