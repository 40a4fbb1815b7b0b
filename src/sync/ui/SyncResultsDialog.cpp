#include "sync/ui/SyncResultsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Translate.h"
#include "sync/SyncReport.h"

namespace {

QString text(const char* translated) {
    return QString::fromUtf8(translated);
}

void addLines(QListWidget& list, const char* heading, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        list.addItem(text(heading).arg(QString::fromStdString(line)));
}

}  // namespace

SyncResultsDialog::SyncResultsDialog(const QString& summary, const QString& failure,
                                     const SyncReport& report,
                                     const std::string& untrustedCertificate, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(text(_("Synchronization")));
    auto* layout = new QVBoxLayout(this);
    auto* summaryLabel = new QLabel(summary, this);
    summaryLabel->setWordWrap(true);
    layout->addWidget(summaryLabel);
    if (!failure.isEmpty()) {
        auto* failureLabel = new QLabel(failure, this);
        failureLabel->setWordWrap(true);
        failureLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(failureLabel);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    if (!untrustedCertificate.empty()) {
        auto* certificate = new QLabel(
            text(_("The server's certificate does not verify. Trust it for this account only if "
                   "its SHA-256 fingerprint is the one your server's administrator gives:\n%1"))
                .arg(QString::fromStdString(untrustedCertificate)),
            this);
        certificate->setWordWrap(true);
        certificate->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(certificate);
        QPushButton* trust =
            buttons->addButton(text(_("&Trust This Certificate")), QDialogButtonBox::AcceptRole);
        connect(trust, &QPushButton::clicked, this, [this] { trusted_ = true; });
    }
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("syncItems"));
    list->setWordWrap(true);
    addLines(*list, _("Conflict: %1"), report.conflicts);
    addLines(*list, _("Skipped: %1"), report.skipped);
    addLines(*list, _("Note: %1"), report.notes);
    addLines(*list, _("Made: %1"), report.created);
    list->setVisible(list->count() > 0);
    layout->addWidget(list, 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, list->count() > 0 ? 360 : 160);
}
