#pragma once

#include <QDBusConnection>
#include <QMap>
#include <QObject>
#include <QPointer>

#include <optional>

#include "platform/DesktopNotifier.h"

class QSystemTrayIcon;

// Notifications through the desktop's org.freedesktop.Notifications service on the
// session bus. Where the bus or the service is missing, the system tray's message is
// used when the desktop has a tray, and nothing is shown otherwise. The call does not
// wait for the service: a slow or absent one never holds up the program.
class FreedesktopNotifier : public QObject, public DesktopNotifier {
public:
    // Without a bus, the session bus, reached on the first notification.
    explicit FreedesktopNotifier(std::optional<QDBusConnection> bus = std::nullopt,
                                 QObject* parent = nullptr);

    void notify(const std::string& title, const std::string& text) override;
    void withdraw(const std::string& title) override;

private:
    void showInTray(const QString& title, const QString& text);

    std::optional<QDBusConnection> bus_;
    QPointer<QSystemTrayIcon> tray_;
    // The service's number for the notification shown under each title, so that the
    // next one replaces it instead of piling up.
    QMap<QString, uint> shown_;
};
