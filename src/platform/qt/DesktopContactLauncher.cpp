#include "platform/qt/DesktopContactLauncher.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

#include <optional>

namespace {

// Whether the desktop names a program for addresses of `scheme` ("tel", "mailto");
// nothing when it cannot say (no xdg-mime), and opening the address is left to tell.
std::optional<bool> hasHandler(const QString& scheme) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/") + scheme});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

DialOutcome DesktopContactLauncher::dial(const std::string& link) {
    if (hasHandler(QStringLiteral("tel")) == false) return DialOutcome::NoDialer;
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(link), QUrl::StrictMode);
    if (!url.isValid()) return DialOutcome::InvalidNumber;
    // The desktop could not say, and its opener found no program: as good as no dialer,
    // so that the user is offered the number to copy.
    return QDesktopServices::openUrl(url) ? DialOutcome::Placed : DialOutcome::NoDialer;
}

bool DesktopContactLauncher::open(const std::string& url) {
    const QUrl address(QString::fromStdString(url), QUrl::TolerantMode);
    if (!address.isValid()) return false;
    // The desktop's opener may start and then find no program; ask first.
    if (hasHandler(address.scheme().toLower()) == false) return false;
    return QDesktopServices::openUrl(address);
}

void DesktopContactLauncher::copyToClipboard(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromStdString(text));
}
