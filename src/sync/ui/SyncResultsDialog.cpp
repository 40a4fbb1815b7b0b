#include "sync/ui/SyncResultsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

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
                                     const std::string& untrustedCertificate,
                                     std::function<bool(const SyncConflict&)> keepOurs,
                                     QWidget* parent)
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
    // The conflicts come first, each row knowing its place in the report.
    std::vector<SyncConflict> conflicts;
    for (const SyncConflict& conflict : report.conflicts) {
        list->addItem(text(_("Conflict: %1")).arg(QString::fromStdString(conflict.line())));
        conflicts.push_back(conflict);
        // Ours already went up: nothing to keep.
        if (conflict.keptOurs) conflicts.back().id = 0;
    }
    addLines(*list, _("Skipped: %1"), report.skipped);
    addLines(*list, _("Note: %1"), report.notes);
    addLines(*list, _("Made: %1"), report.created);
    list->setVisible(list->count() > 0);
    if (keepOurs && !conflicts.empty()) {
        QPushButton* keep = buttons->addButton(text(_("&Keep Mine")), QDialogButtonBox::ActionRole);
        keep->setObjectName(QStringLiteral("keepMine"));
        keep->setEnabled(false);
        const auto keepable = [list, conflicts] {
            const int row = list->currentRow();
            return row >= 0 && size_t(row) < conflicts.size() && conflicts[size_t(row)].id != 0;
        };
        connect(list, &QListWidget::currentRowChanged, keep,
                [keep, keepable] { keep->setEnabled(keepable()); });
        connect(keep, &QPushButton::clicked, this,
                [list, keep, keepable, conflicts, keepOurs]() mutable {
                    if (!keepable()) return;
                    SyncConflict& conflict = conflicts[size_t(list->currentRow())];
                    if (!keepOurs(conflict)) return;
                    conflict.keptOurs = true;
                    list->currentItem()->setText(text(_("Conflict: %1 (the next sync sends it)"))
                                                     .arg(QString::fromStdString(conflict.line())));
                    conflict.id = 0;
                    keep->setEnabled(false);
                });
    }
    layout->addWidget(list, 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, list->count() > 0 ? 360 : 160);
}
