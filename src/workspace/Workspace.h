#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/DocumentDoor.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "workspace/DocumentEvent.h"
#include "workspace/DocumentLifecycle.h"
#include "workspace/DocumentSettings.h"
#include "workspace/DocumentStorage.h"
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
// settings. Every change of the records goes through its one door; the window, the tools
// and the command line read the document and hear what happens to it. A test drives it
// alone.
class Workspace {
public:
    using Listener = std::function<void()>;
    using EventListener = std::function<void(DocumentEvent)>;

    Workspace(const Clock& clock, DocumentStorage& storage, UserPrompts& prompts,
              SettingsStore& settings);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // The records, to read.
    [[nodiscard]] const PimDocument& document() const { return document_; }
    // The steps Undo and Redo would take, to read.
    [[nodiscard]] const UndoHistory& history() const { return history_; }
    [[nodiscard]] const RecentFileList& recentFiles() const { return recentFiles_; }
    // "Quillmate [path]", or the untitled name for a document never saved.
    [[nodiscard]] std::string windowTitle() const { return lifecycle_.windowTitle(); }

    // The one door to the records, for the tools that change them.
    [[nodiscard]] DocumentDoor& door() { return door_; }
    // Runs `change` on the document as one step of the undo history named `name`, then
    // says that the commands' states may have changed.
    template <class Change>
    decltype(auto) runStep(UndoStep name, Change&& change) {
        return door_.runStep(name, std::forward<Change>(change));
    }
    void undo();
    void redo();

    // The file commands: each asks the save question where it replaces the document.
    void newDocument();
    void open();
    void save();
    void saveAs();
    // Opens the recent-file entry at `index` (0 is the newest).
    void openRecent(size_t index);
    // Writes a copy under a name the user picks; the document keeps its path and flag.
    void backup();
    // Asks whether to save a modified document; true when the caller may go on.
    bool askSaveChanges();
    // How many earlier versions each save keeps, as stored.
    [[nodiscard]] int backupsKept() const { return settings_.readBackupsKept(); }
    void setBackupsKept(int kept) { settings_.writeBackupsKept(kept); }

    // For a run without a window, as on the command line: these ask nothing, show nothing
    // and leave the recent files alone; the caller reports what they give back.
    // Loads the file at `path` as the open document; a failure leaves the document as it was.
    Status openFile(const std::string& path);
    // Writes the document to its own file; a Conflict failure, writing nothing, when
    // another program changed it since it was read, unless `mode` says to overwrite.
    Status writeFile(SaveMode mode);
    // Writes the document to `path`, which it takes as its own once written.
    Status writeFileAs(const std::string& path, SaveMode mode);
    // What the storage's last save wants the user to know ("" for nothing); asking forgets it.
    [[nodiscard]] std::string takeSaveNotice();

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

    // Leaves the records to the end of the process, which takes their memory back at once;
    // for a program about to end.
    void leaveRecordsToExit() noexcept { document_.leaveRecordsToExit(); }

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

    // `listener` hears each time the commands' states may have changed (a change of the
    // records reaches the document's views as well); the number given back forgets it.
    int onCommandStatesChanged(Listener listener);
    // `listener` hears when a document is opened, changed or saved; forgotten as above.
    int onDocumentEvent(EventListener listener);
    void forget(int listenerId);
    void commandStatesChanged();

    // A view hears of every change of the document and its path until it is detached.
    void attachView(DocumentView& view) { door_.attachView(view); }
    void detachView(DocumentView& view) { door_.detachView(view); }

private:
    // Hears every change of the document, for the recovery copy.
    struct RecoveryWatch : DocumentView {
        explicit RecoveryWatch(Workspace& workspace) : workspace(workspace) {}
        void documentChanged() override {
            workspace.recoveryChanged();
            workspace.tell(DocumentEvent::Changed);
        }
        Workspace& workspace;
    };
    void recoveryChanged();
    // Asks about one left copy; true when it was restored.
    bool offer(LeftCopy& copy);
    // Opens the document the copy belongs to; false when that did not happen.
    bool openForRestore(const LeftCopy& copy);

    void tell(DocumentEvent event);

    PimDocument document_;
    UndoHistory history_{document_};
    DocumentDoor door_{document_, &history_};
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
    std::map<int, EventListener> eventListeners_;
    int nextListenerId_ = 0;
};
