#include "platform/qt/FreedesktopNotifier.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <vector>

namespace {

// A session bus of the test's own, so that nothing reaches the user's desktop.
class PrivateBus {
public:
    PrivateBus() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) return;
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address")});
        if (daemon_.waitForReadyRead(10000))
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    [[nodiscard]] const QString& address() const { return address_; }
    [[nodiscard]] QDBusConnection connect(const QString& name) const {
        return QDBusConnection::connectToBus(address_, name);
    }

private:
    QProcess daemon_;
    QString address_;
};

// Answers Notify as a desktop's notification service does, keeping the arguments.
class FakeNotificationService : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() != QLatin1String("Notify")) return false;
        calls.push_back(message.arguments());
        connection.send(message.createReply(QVariantList{QVariant::fromValue(7U)}));
        return true;
    }
    std::vector<QVariantList> calls;
};

TEST(FreedesktopNotifier, TitleAndTextReachTheServiceAndItsAbsenceIsSilent) {
    PrivateBus bus;
    if (bus.address().isEmpty()) GTEST_SKIP() << "no dbus-daemon";
    QDBusConnection service = bus.connect(QStringLiteral("service"));
    FakeNotificationService notifications;
    ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.Notifications")));
    ASSERT_TRUE(service.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"),
                                              &notifications));

    FreedesktopNotifier notifier(bus.connect(QStringLiteral("client")));
    notifier.notify("Reminder: Tom & Jerry <3",
                    "This is your reminder for your 10:00 AM appointment.");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !notifications.calls.empty(); }, 10000));
    const QVariantList& args = notifications.calls.front();
    ASSERT_EQ(args.size(), 8);
    EXPECT_EQ(args[0].toString(), "Quillmate");
    // The summary is plain text; the body could be read as markup.
    EXPECT_EQ(args[3].toString(), "Reminder: Tom & Jerry <3");
    EXPECT_EQ(args[4].toString(), "This is your reminder for your 10:00 AM appointment.");
    EXPECT_EQ(args[7].toInt(), 0);  // stays until dismissed

    // Once the service has gone, or with no bus at all, the error is swallowed.
    service.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    for (const auto& [address, name] :
         {std::pair{bus.address(), QStringLiteral("lonely")},
          std::pair{QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("nowhere")}}) {
        FreedesktopNotifier silent(QDBusConnection::connectToBus(address, name));
        silent.notify("Reminder: Dentist", "text");
        QTest::qWait(200);
    }
    EXPECT_EQ(notifications.calls.size(), 1u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    for (const char* name : {"service", "client", "lonely", "nowhere"})
        QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
}

}  // namespace
