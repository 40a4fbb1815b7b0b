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

TEST(FreedesktopNotifier, TitleAndTextReachTheNotificationService) {
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
    QDBusConnection::disconnectFromBus(QStringLiteral("service"));
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
}

TEST(FreedesktopNotifier, MissingServiceOrBusIsSilent) {
    PrivateBus bus;
    if (bus.address().isEmpty()) GTEST_SKIP() << "no dbus-daemon";
    {
        // A bus without the service: the error reply is swallowed.
        FreedesktopNotifier notifier(bus.connect(QStringLiteral("lonely")));
        notifier.notify("Reminder: Dentist", "text");
        QTest::qWait(300);
    }
    {
        FreedesktopNotifier notifier(QDBusConnection::connectToBus(
            QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("nowhere")));
        notifier.notify("Reminder: Dentist", "text");
        QTest::qWait(50);
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QDBusConnection::disconnectFromBus(QStringLiteral("lonely"));
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

}  // namespace
