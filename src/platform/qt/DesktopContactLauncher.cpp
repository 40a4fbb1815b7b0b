#include "platform/qt/DesktopContactLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include <optional>

namespace {

// Whether the desktop names a program for "tel:" addresses; nothing when it cannot say
// (no xdg-mime), and opening the address is left to tell.
std::optional<bool> hasTelHandler() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/tel")});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

DialOutcome DesktopContactLauncher::dial(const std::string& number) {
    if (hasTelHandler() == false) return DialOutcome::NoDialer;
    const QUrl url(QStringLiteral("tel:") + QString::fromStdString(number), QUrl::TolerantMode);
    if (!url.isValid()) return DialOutcome::InvalidNumber;
    return QDesktopServices::openUrl(url) ? DialOutcome::Placed : DialOutcome::Failed;
}

bool DesktopContactLauncher::open(const std::string& url) {
    const QUrl address(QString::fromStdString(url), QUrl::TolerantMode);
    return address.isValid() && QDesktopServices::openUrl(address);
}
