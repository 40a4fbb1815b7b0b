#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

#include "platform/qt/QtHttpTransport.h"

namespace {

TEST(QtHttpTransportTest, AnAnswerTooLargeOrNeverFinishedFailsNamingTheHost) {
    int argc = 1;
    char name[] = "cli_tests";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr)
        app = std::make_unique<QCoreApplication>(argc, argv);
    const struct {
        const char* label;
        QByteArray answer;  // sent at once; the connection stays open
        const char* error;
    } rows[] = {
        {"body past the limit",
         "HTTP/1.1 200 OK\r\nContent-Length: 4096\r\n\r\n" + QByteArray(4096, 'x'),
         "the answer of 127.0.0.1 is larger than 1024 bytes"},
        {"body that never ends", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort",
         "no complete answer from 127.0.0.1 within 1 seconds"},
    };
    for (const auto& row : rows) {
        QTcpServer server;
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost)) << row.label;
        QObject::connect(&server, &QTcpServer::newConnection, [&] {
            QTcpSocket* socket = server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, [socket, &row] {
                socket->readAll();
                socket->write(row.answer);
            });
        });
        const std::string url = "http://127.0.0.1:" + std::to_string(server.serverPort()) + "/";
        QtHttpTransport transport(url, "", "", 60, 1, 1024);
        const HttpResponse response = transport.send({"GET", url, {}, {}});
        EXPECT_EQ(response.status, 0) << row.label;
        EXPECT_EQ(response.error, row.error) << row.label;
    }
}

}  // namespace
