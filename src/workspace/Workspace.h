#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "workspace/DocumentLifecycle.h"
#include "workspace/DocumentSettings.h"
#include "workspace/RecentFileList.h"
#include "workspace/RecoveryCopies.h"
#include "workspace/RotatingBackups.h"

class Clock;
class DocumentStorage;
class SettingsStore;
class UserPrompts;

// The open document and all that belongs to it, apart from any window: the records, their
// undo history, the file commands over one storage (which locks the file while it writes
// and checks that no one changed it since it was read), the recent files and the stored
// settings. The window is a view of it; the import, export and report tools work on it;
// a test drives it alone.
class Workspace {
public:
    using Listener = std::function<void()>;

    Workspace(const Clock& clock, DocumentStorage& storage, UserPrompts& prompts,
              SettingsStore& settings);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    [[nodiscard]] PimDocument& document() { return document_; }
    [[nodiscard]] const PimDocument& document() const { return document_; }
    [[nodiscard]] UndoHistory& history() { return history_; }
    [[nodiscard]] const UndoHistory& history() const { return history_; }
    [[nodiscard]] DocumentSettings& settings() { return settings_; }
    [[nodiscard]] const RecentFileList& recentFiles() const { return recentFiles_; }
    // New, Open, Save, Save As, the recent files, Backup and the save question.
    [[nodiscard]] DocumentLifecycle& files() { return lifecycle_; }

    // Opens what the arguments name, or the last file when the option says so, or a new
    // document.
    void openAtStartup(const std::vector<std::string>& arguments);
    // Drops old done tasks and writes the document, as one step of the history.
    void compact();
    // Asks the save question and records the last file used; true when the window may
    // close, after which no recovery copy is left.
    bool close();
    // Puts the records of another version of the document in place of the open ones as one
    // step of the history: the document is changed, not saved, until the user saves.
    void restoreVersion(PimContents&& version);

    // The earlier versions its saves keep (the storage keeps them); nothing when none are.
    void setBackups(RotatingBackups backups) { backups_ = std::move(backups); }
    [[nodiscard]] const std::optional<RotatingBackups>& backups() const { return backups_; }
    // Puts an earlier version in place of the open records, as Restore does, after asking
    // about unsaved changes.
    void restoreBackup(const BackupVersion& version);

    // Keeps recovery copies of unsaved changes in `folder` from now on ("" stops it).
    void keepRecoveryCopiesIn(const std::string& folder);
    // `due` hears when unsaved changes want a recovery copy; the window answers a few
    // seconds later with keepRecoveryCopy, so that a burst of edits costs one write.
    void onRecoveryDue(Listener due) { recoveryDue_ = std::move(due); }
    // Writes the recovery copy of the changes, or removes it when there are none.
    void keepRecoveryCopy();
    // How many recovery copies this workspace has written.
    [[nodiscard]] size_t recoveryCopiesWritten() const { return recoveryCopiesWritten_; }
    // Offers, one by one, the recovery copies that earlier runs left behind: "Restore",
    // "Discard" or "Later". Stops after one is restored.
    void offerRecovery();
    [[nodiscard]] bool openLastFile() const { return openLastFile_; }
    // Flips "Open Last File On Start" and stores it.
    void toggleOpenLastFile();

    // Runs `change` as one step of the undo history named `name`, then says that the
    // commands' states may have changed.
    template <class Change>
    decltype(auto) runStep(UndoStep name, Change&& change) {
        const Announce announce{*this};
        const UndoHistory::Step step(history_, name);
        return change();
    }

    // `listener` hears each time the commands' states may have changed (a change of the
    // records reaches the document's views as well); the number given back forgets it.
    int onCommandStatesChanged(Listener listener);
    void forget(int listenerId);
    void commandStatesChanged();

private:
    // Hears every change of the document, for the recovery copy.
    struct RecoveryWatch : DocumentView {
        explicit RecoveryWatch(Workspace& workspace) : workspace(workspace) {}
        void documentChanged() override { workspace.recoveryChanged(); }
        Workspace& workspace;
    };
    void recoveryChanged();
    // Asks about one left copy; true when it was restored.
    bool offer(LeftCopy& copy);
    // Opens the document the copy belongs to; false when that did not happen.
    bool openForRestore(const LeftCopy& copy);

    struct Announce {
        Workspace& workspace;
        ~Announce() { workspace.commandStatesChanged(); }
    };

    PimDocument document_;
    UndoHistory history_{document_};
    DocumentSettings settings_;
    RecentFileList recentFiles_;
    DocumentStorage& storage_;
    UserPrompts& prompts_;
    DocumentLifecycle lifecycle_;
    std::optional<RotatingBackups> backups_;
    std::unique_ptr<RecoveryCopies> recovery_;
    RecoveryWatch recoveryWatch_{*this};
    Listener recoveryDue_;
    bool recoveryFailureShown_ = false;
    size_t recoveryCopiesWritten_ = 0;
    bool openLastFile_ = false;
    std::map<int, Listener> listeners_;
    int nextListenerId_ = 0;
};
