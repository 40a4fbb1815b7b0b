#pragma once

#include <QDialog>

#include <string>

struct SyncReport;

// What the last sync did or why it failed: its summary, then the conflicts, skipped items
// and notes, each naming the record and what was kept. A certificate that did not verify
// is shown by its fingerprint, with a button to trust it for the account.
class SyncResultsDialog : public QDialog {
    Q_OBJECT

public:
    SyncResultsDialog(const QString& summary, const QString& failure, const SyncReport& report,
                      const std::string& untrustedCertificate, QWidget* parent = nullptr);

    // Whether the user chose to trust the certificate shown.
    [[nodiscard]] bool trusted() const { return trusted_; }

private:
    bool trusted_ = false;
};
