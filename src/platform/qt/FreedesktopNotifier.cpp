#include "platform/qt/FreedesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QIcon>
#include <QSystemTrayIcon>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// A reminder stays until the user dismisses it, at the critical urgency that desktops
// show over full-screen windows.
constexpr int kNeverExpires = 0;
constexpr uchar kCriticalUrgency = 2;

}  // namespace

FreedesktopNotifier::FreedesktopNotifier(std::optional<QDBusConnection> bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {}

void FreedesktopNotifier::notify(const std::string& title, const std::string& text) {
    const QString summary = QString::fromStdString(title);
    const QString body = QString::fromStdString(text);
    if (!bus_) bus_ = QDBusConnection::sessionBus();
    if (!bus_->isConnected()) {
        showInTray(summary, body);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    // The body may be read as markup; the summary is plain text by definition.
    call << QStringLiteral("Quillmate") << shown_.value(summary, 0U) << QStringLiteral("quillmate")
         << summary << body.toHtmlEscaped() << QStringList()
         << QVariantMap{{QStringLiteral("urgency"), QVariant::fromValue(kCriticalUrgency)}}
         << kNeverExpires;
    auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, summary, body] {
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError())
            showInTray(summary, body);
        else
            shown_.insert(summary, reply.value());
        watcher->deleteLater();
    });
}

void FreedesktopNotifier::withdraw(const std::string& title) {
    const auto it = shown_.find(QString::fromStdString(title));
    if (it == shown_.end()) return;
    if (bus_ && bus_->isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService,
                                                           QStringLiteral("CloseNotification"));
        call << it.value();
        bus_->asyncCall(call);
    }
    shown_.erase(it);
}

void FreedesktopNotifier::showInTray(const QString& title, const QString& text) {
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages()) return;
    if (tray_ == nullptr) {
        tray_ = new QSystemTrayIcon(QIcon(QStringLiteral(":/icons/quillmate.png")), this);
        tray_->show();
    }
    tray_->showMessage(title, text, QSystemTrayIcon::Critical, 0);
}
