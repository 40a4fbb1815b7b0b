#include "sync/ui/SyncController.h"

#include <QApplication>
#include <QCloseEvent>
#include <QInputDialog>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include "platform/Translate.h"
#include "platform/UserPrompts.h"
#include "platform/qt/QtHttpTransport.h"
#include "shell/CommandId.h"
#include "sync/ui/AccountDialog.h"
#include "sync/ui/CountingTransport.h"
#include "sync/ui/SyncResultsDialog.h"
#include "workspace/Workspace.h"
#include "workspace/ui/FrameHost.h"

namespace {

QString text(const char* translated) {
    return QString::fromUtf8(translated);
}

constexpr int kMinuteMs = 60 * 1000;
constexpr int kProgressMs = 250;

// "Synchronized: 3 up, 12 down", deletions counted with the changes of their side.
QString countsText(const char* format, const SyncReport& report) {
    int up = 0, down = 0;
    for (const auto& [kind, count] : report.counts) {
        up += count.up + count.deletedThere;
        down += count.down + count.deletedHere;
    }
    return text(format).arg(up).arg(down);
}

}  // namespace

SyncController::SyncController(Workspace& workspace, FrameHost& frame, UserPrompts& prompts,
                               SettingsStore& settings, const Clock& clock)
    : QObject(frame.window()),
      workspace_(workspace),
      frame_(frame),
      prompts_(prompts),
      settings_(settings),
      clock_(clock),
      session_(workspace.door(), workspace.history()),
      passwords_(prompts),
      path_(workspace.document().path()) {
    session_.askAccountAddress([this] { return account().url; });
    frame.setCommandHandler(cmd::kSynchronize, [this] { synchronize(); });
    frame.setCommandHandler(cmd::kSyncAccounts, [this] { editAccounts(); });
    savedListener_ = workspace_.onDocumentEvent([this](DocumentEvent event) {
        // A save that follows a change of path is a Save As; an open is not.
        if (event == DocumentEvent::Changed) return;
        const std::string from = std::exchange(previousPath_, {});
        if (event != DocumentEvent::Saved) return;
        if (!from.empty() && from != path_) savedAs(from);
        saved();
    });
    passwords_.setPrompt([this](const QString& why) -> std::optional<std::string> {
        bool ok = false;
        const QString password = QInputDialog::getText(frame_.window(), text(_("Synchronize")), why,
                                                       QLineEdit::Password, QString(), &ok);
        if (!ok) return std::nullopt;
        return password.toStdString();
    });

    auto* window = qobject_cast<QMainWindow*>(frame.window());
    QStatusBar* bar = window->statusBar();
    message_ = new QToolButton(bar);
    message_->setObjectName(QStringLiteral("syncStatus"));
    message_->setAutoRaise(true);
    message_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    message_->setToolTip(text(_("Show what the last synchronization did")));
    message_->hide();
    progress_ = new QProgressBar(bar);
    progress_->setRange(0, 0);
    progress_->setMaximumWidth(100);
    progress_->hide();
    cancel_ = new QToolButton(bar);
    cancel_->setObjectName(QStringLiteral("syncCancel"));
    cancel_->setText(text(_("Cancel")));
    cancel_->setToolTip(text(_("Stop the synchronization; what was done so far is kept")));
    cancel_->hide();
    bar->addPermanentWidget(message_);
    bar->addPermanentWidget(progress_);
    bar->addPermanentWidget(cancel_);
    connect(message_, &QToolButton::clicked, this, &SyncController::showResults);
    connect(cancel_, &QToolButton::clicked, this, &SyncController::cancel);

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(kProgressMs);
    connect(progressTimer_, &QTimer::timeout, this, [this] {
        if (cancelled_) return;
        showStatus(text(P_("Synchronizing... %1 request", "Synchronizing... %1 requests",
                           requests_.load()))
                       .arg(requests_.load()),
                   false);
    });
    minuteTimer_ = new QTimer(this);
    minuteTimer_->setInterval(kMinuteMs);
    connect(minuteTimer_, &QTimer::timeout, this, &SyncController::minutePassed);
    minuteTimer_->start();
    window->installEventFilter(this);
    workspace_.attachView(*this);
}

void SyncController::documentPathChanged(const std::string& path) {
    previousPath_ = std::exchange(path_, path);
    // The last result, and the certificate it offers to trust, belong to the other document's
    // account.
    if (running()) return;
    lastReport_ = SyncReport();
    lastSummary_.clear();
    lastFailure_.clear();
    lastUntrusted_.clear();
    message_->hide();
}

SyncController::~SyncController() {
    workspace_.forget(savedListener_);
    workspace_.detachView(*this);
    // The window is going: the sync stops, and the state file stays as it was, so that the
    // next sync compares and brings down again what this one fetched.
    if (thread_ != nullptr) {
        cancelled_ = true;
        thread_->wait();
        delete thread_;
    }
}

SyncAccount SyncController::account() const {
    const std::string& path = workspace_.document().path();
    return path.empty() ? SyncAccount() : readSyncAccount(settings_, path);
}

QString SyncController::statusText() const {
    return message_->isVisible() ? message_->text() : QString();
}

void SyncController::showStatus(const QString& status, bool fault) {
    message_->setText(status);
    message_->setIcon(fault ? message_->style()->standardIcon(QStyle::SP_MessageBoxWarning)
                            : QIcon());
    message_->show();
}

void SyncController::synchronize() {
    start(false);
}

void SyncController::saved() {
    session_.documentSaved();
    if (!account().afterSave) return;
    // Once the save is done, so that the file holds the records whatever the sync meets; not
    // after the save that closes the window, nor when another document (or more edits) came
    // in meanwhile, as when the save was asked for before opening another file.
    QTimer::singleShot(0, this, [this, path = workspace_.document().path()] {
        const PimDocument& document = workspace_.document();
        if (frame_.window()->isVisible() && document.path() == path && !document.isModified())
            start(true);
    });
}

void SyncController::savedAs(const std::string& from) {
    // The account, like the state, belongs to the records: they go on under the new name.
    const SyncAccount moving = readSyncAccount(settings_, from);
    if (!moving.configured()) return;
    writeSyncAccount(settings_, path_, moving);
    writeSyncAccount(settings_, from, SyncAccount());
    session_.documentSavedAs(from);
}

void SyncController::minutePassed() {
    const SyncAccount current = account();
    if (current.everyMinutes <= 0 || ++minutesSinceSync_ < current.everyMinutes) return;
    start(true);
}

void SyncController::editAccounts() {
    if (passwords_.asking()) return;
    const std::string path = workspace_.document().path();
    if (path.empty()) {
        prompts_.showMessage(_("The account belongs to the document: save the document first, "
                               "then set up its account."),
                             _("Accounts"), MessageIcon::Information);
        return;
    }
    const SyncAccount stored = readSyncAccount(settings_, path);
    std::string password;
    if (stored.configured() && !passwords_.find(stored, true, password)) password.clear();
    AccountDialog dialog(stored, password, prompts_, frame_.window());
    if (dialog.exec() != QDialog::Accepted) return;
    const SyncAccount edited = dialog.account();
    // The old address's keyring entry stays: other documents and the command line may use it.
    writeSyncAccount(settings_, path, edited);
    if (edited.configured() &&
        (dialog.password() != password || edited.passwordKey() != stored.passwordKey()))
        passwords_.store(edited, dialog.password());
}

void SyncController::start(bool automatic) {
    if (thread_ != nullptr || passwords_.asking()) return;
    minutesSinceSync_ = 0;
    const SyncAccount current = account();
    if (!current.configured()) {
        if (automatic) return;
        if (workspace_.document().path().empty()) {
            prompts_.showMessage(_("Save the document first: its account and what each "
                                   "synchronization saw belong to its file."),
                                 _("Synchronize"), MessageIcon::Information);
            return;
        }
        editAccounts();
        if (!account().configured()) return;
        return start(false);
    }
    const std::string path = workspace_.document().path();
    std::string password;
    if (!passwords_.find(current, automatic, password)) {
        showStatus(text(_("Not synchronized: the account's password is needed")), true);
        return;
    }
    // Another document may have been opened while the password was awaited.
    if (workspace_.document().path() != path) return;
    job_ = std::make_unique<SyncJob>();
    std::string warning;
    if (Status prepared = session_.prepare(
            {current.url, current.addressBook, current.calendar, false}, *job_, warning);
        !prepared) {
        job_.reset();
        showStatus(text(_("Not synchronized: %1")).arg(QString::fromStdString(prepared.message())),
                   true);
        return;
    }
    if (!warning.empty()) job_->report.notes.push_back(warning);
    automatic_ = automatic;
    cancelled_ = false;
    requests_ = 0;
    untrusted_.clear();
    SyncJob* job = job_.get();
    const int cancelAt = std::exchange(cancelAt_, 0);
    thread_ = QThread::create([this, job, current, password, cancelAt] {
        QtHttpTransport transport(current.url, current.user, password);
        transport.trustCertificate(current.trustedCertificate);
        transport.cancelWhen(&cancelled_);
        CountingTransport counting(transport, requests_, cancelled_, cancelAt);
        job->run(counting, clock_);
        untrusted_ = transport.untrustedCertificate();
    });
    connect(thread_, &QThread::finished, this, &SyncController::done);
    showStatus(text(_("Synchronizing...")), false);
    progress_->show();
    cancel_->show();
    cancel_->setEnabled(true);
    progressTimer_->start();
    thread_->start();
}

void SyncController::cancel() {
    if (thread_ == nullptr) return;
    cancelled_ = true;
    cancel_->setEnabled(false);
    showStatus(text(_("Cancelling...")), false);
}

void SyncController::done() {
    if (thread_ == nullptr) return;
    // An open dialog may hold a copy of a record, to be stored on OK: the sync's changes come
    // in once it has closed, so that the user's edit meets them as an edit made meanwhile.
    if (!closing_ && QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(kProgressMs, this, &SyncController::done);
        return;
    }
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    progressTimer_->stop();
    progress_->hide();
    cancel_->hide();
    const std::unique_ptr<SyncJob> job = std::move(job_);
    const SyncSession::Outcome outcome = session_.finish(*job);
    lastReport_ = job->report;
    lastUntrusted_ = outcome.applied ? untrusted_ : std::string();
    lastFailure_.clear();
    const bool failed = !job->status;
    // A Cancel that came too late to stop anything leaves the outcome as it was.
    const bool cancelled = job->report.failure == SyncFailure::Cancelled;
    if (!outcome.applied) {
        lastSummary_ =
            text(_("Not synchronized: another document was opened meanwhile; the "
                   "next synchronization brings everything in step"));
    } else if (cancelled) {
        lastSummary_ = countsText(_("Synchronization cancelled; what was done is kept: %1 up, "
                                    "%2 down"),
                                  job->report);
    } else if (failed) {
        lastSummary_ = text(_("Synchronization failed"));
        lastFailure_ = QString::fromStdString(job->status.message());
        // A refused password is asked again rather than sent again.
        if (job->report.failure == SyncFailure::Unauthorised) {
            passwords_.forget(account());
            lastFailure_ += QStringLiteral("\n") +
                            text(_("Correct the password in Edit > Options > Accounts..."));
        }
    } else {
        lastSummary_ = countsText(_("Synchronized: %1 up, %2 down"), job->report);
    }
    if (const Status written = session_.takeWriteFailure(); !written)
        lastReport_.notes.push_back(written.message());
    if (outcome.keptEdits > 0)
        lastReport_.notes.push_back(
            text(P_("%1 record changed here during the synchronization is kept as you left it; "
                    "it goes to the server at the next synchronization",
                    "%1 records changed here during the synchronization are kept as you left "
                    "them; they go to the server at the next synchronization",
                    outcome.keptEdits))
                .arg(outcome.keptEdits)
                .toStdString());
    QString status = lastSummary_;
    if (failed && !cancelled) status += QStringLiteral(": ") + lastFailure_.section('\n', 0, 0);
    if (!lastUntrusted_.empty())
        status += QStringLiteral(" ") + text(_("(click to see the certificate)"));
    const size_t details =
        lastReport_.conflicts.size() + lastReport_.skipped.size() + lastReport_.notes.size();
    if (details > 0)
        status += QStringLiteral(" ") +
                  text(P_("(%1 item to look at)", "(%1 items to look at)", details)).arg(details);
    showStatus(status, (failed && !cancelled) || !lastReport_.conflicts.empty());
    emit finished();
}

void SyncController::showResults() {
    if (running()) return;
    SyncResultsDialog dialog(
        lastSummary_, lastFailure_, lastReport_, lastUntrusted_,
        [this](const SyncConflict& conflict) {
            return workspace_.runStep(editStepOf(conflict.kind), [&](PimDocument& document) {
                return keepOurs(document, conflict);
            });
        },
        frame_.window());
    dialog.exec();
    if (!dialog.trusted() || workspace_.document().path().empty()) return;
    SyncAccount trusted = account();
    trusted.trustedCertificate = lastUntrusted_;
    writeSyncAccount(settings_, workspace_.document().path(), trusted);
    lastUntrusted_.clear();
    showStatus(text(_("Certificate trusted for this account; synchronize again")), false);
}

bool SyncController::eventFilter(QObject* watched, QEvent* event) {
    // Closing waits for a running sync to stop, and brings in what it did, so that the
    // save question covers it.
    if (event->type() == QEvent::Close && thread_ != nullptr) {
        cancel();
        thread_->wait();
        closing_ = true;
        done();
        closing_ = false;
    }
    return QObject::eventFilter(watched, event);
}
