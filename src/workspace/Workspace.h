#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "shell/CommandState.h"
#include "shell/DocumentLifecycle.h"
#include "shell/RecentFileList.h"
#include "shell/ShellSettings.h"

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
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    [[nodiscard]] PimDocument& document() { return document_; }
    [[nodiscard]] const PimDocument& document() const { return document_; }
    [[nodiscard]] UndoHistory& history() { return history_; }
    [[nodiscard]] ShellSettings& settings() { return settings_; }
    [[nodiscard]] const RecentFileList& recentFiles() const { return recentFiles_; }
    // New, Open, Save, Save As, the recent files, Backup and the save question.
    [[nodiscard]] DocumentLifecycle& files() { return lifecycle_; }

    // Opens what the arguments name, or the last file when the option says so, or a new
    // document.
    void openAtStartup(const std::vector<std::string>& arguments);
    // Drops old done tasks and writes the document, as one step of the history.
    void compact();
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

    // The document's facts that the commands' enabling rules read.
    void fillSnapshot(ShellSnapshot& state) const;

private:
    struct Announce {
        Workspace& workspace;
        ~Announce() { workspace.commandStatesChanged(); }
    };

    PimDocument document_;
    UndoHistory history_{document_};
    ShellSettings settings_;
    RecentFileList recentFiles_;
    DocumentLifecycle lifecycle_;
    bool openLastFile_ = false;
    std::map<int, Listener> listeners_;
    int nextListenerId_ = 0;
};
