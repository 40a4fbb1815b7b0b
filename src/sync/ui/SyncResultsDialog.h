#pragma once

#include <QDialog>

#include <functional>
#include <string>

struct SyncConflict;
struct SyncReport;

// What the last sync did or why it failed: its summary, then the conflicts, skipped items
// and notes, each naming the record and what was kept. A certificate that did not verify
// is shown by its fingerprint, with a button to trust it for the account. A conflict where
// the server's value was kept can be turned to ours ("Keep Mine"), which the next sync sends.
class SyncResultsDialog : public QDialog {
    Q_OBJECT

public:
    // `keepOurs` puts our value of a conflict back into the document; false when it cannot.
    SyncResultsDialog(const QString& summary, const QString& failure, const SyncReport& report,
                      const std::string& untrustedCertificate,
                      std::function<bool(const SyncConflict&)> keepOurs, QWidget* parent = nullptr);

    // Whether the user chose to trust the certificate shown.
    [[nodiscard]] bool trusted() const { return trusted_; }

private:
    bool trusted_ = false;
};
