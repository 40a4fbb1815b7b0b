#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <string>

#include "records/DocumentView.h"
#include "sync/SyncAccount.h"
#include "sync/SyncJob.h"
#include "sync/SyncSession.h"
#include "sync/ui/SyncPasswords.h"

class Clock;
class FrameHost;
class QProgressBar;
class QThread;
class QTimer;
class QToolButton;
class SettingsStore;
class UserPrompts;
class Workspace;

// File > Synchronize and Edit > Options > Accounts...: the sync runs on a thread of its own
// over copies of the records, so that the window stays usable; the status bar shows its
// progress and outcome, offers Cancel while it runs and opens the details when clicked.
// Faults say so once there, never in a message box of their own, however often the
// automatic sync (after each save, every N minutes) meets them. The sync itself is the
// session's: this only starts it, asks for the password and shows what it did.
class SyncController : public QObject, private DocumentView {
    Q_OBJECT

public:
    SyncController(Workspace& workspace, FrameHost& frame, UserPrompts& prompts,
                   SettingsStore& settings, const Clock& clock);
    ~SyncController() override;

    void synchronize();
    void editAccounts();
    // Cuts a running sync short at its next step; what it did is kept.
    void cancel();
    // The conflicts, skipped items, notes or fault of the last sync.
    void showResults();

    [[nodiscard]] bool running() const { return thread_ != nullptr; }
    [[nodiscard]] QString statusText() const;
    void setPasswordPrompt(SyncPasswords::Prompt prompt) {
        passwords_.setPrompt(std::move(prompt));
    }
    // Cancels the next sync as it is about to send its request number `requests` (0: never),
    // as a user's click would, at a point a test can name.
    void cancelAt(int requests) { cancelAt_ = requests; }

signals:
    // A sync ended and its outcome is in the document and the status bar.
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void documentChanged() override {}
    void documentPathChanged(const std::string& path) override;

    void start(bool automatic);
    void done();
    void saved();
    void savedAs(const std::string& from);
    void minutePassed();
    void showStatus(const QString& text, bool fault);
    [[nodiscard]] SyncAccount account() const;

    Workspace& workspace_;
    FrameHost& frame_;
    UserPrompts& prompts_;
    SettingsStore& settings_;
    const Clock& clock_;
    SyncSession session_;
    SyncPasswords passwords_;
    int savedListener_ = 0;

    std::unique_ptr<SyncJob> job_;
    QThread* thread_ = nullptr;
    std::atomic<bool> cancelled_ = false;
    std::atomic<int> requests_ = 0;
    int cancelAt_ = 0;
    std::string untrusted_;  // written by the sync's thread, read once it has ended
    bool automatic_ = false;
    bool closing_ = false;
    int minutesSinceSync_ = 0;
    std::string path_;          // the document's path as last heard
    std::string previousPath_;  // the one before, until the document is saved or opened

    QTimer* minuteTimer_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    QToolButton* message_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QToolButton* cancel_ = nullptr;

    SyncReport lastReport_;
    QString lastSummary_;
    QString lastFailure_;
    std::string lastUntrusted_;
};
