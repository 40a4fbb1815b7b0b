#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "platform/Status.h"
#include "platform/UserPrompts.h"
#include "workspace/DocumentEvent.h"

class DocumentStorage;
class PimDocument;
class RecentFileList;
class DocumentSettings;
struct StartupPlan;

// The file commands of the main window (New, Open, Save, Save As, the recent files,
// Backup, Compact), the question that protects unsaved changes, and opening and
// closing at start and end. Dialogs and messages go through `UserPrompts`; the title
// follows the document's path, which the frame hears of as a view of the document.
class DocumentLifecycle {
public:
    DocumentLifecycle(PimDocument& document, DocumentStorage& storage, UserPrompts& prompts,
                      DocumentSettings& settings, RecentFileList& recentFiles);

    // `told` hears when a document is opened or saved here.
    void onEvent(std::function<void(DocumentEvent)> told) { told_ = std::move(told); }

    // The path, or "Untitled" for a document never saved.
    [[nodiscard]] std::string displayName() const;
    // "Quillmate [display name]".
    [[nodiscard]] std::string windowTitle() const;

    // Asks whether to save a modified document; true when the caller may go on. A save
    // that fails is reported and stops the caller, so nothing is lost.
    bool askSaveChanges();

    void newDocument();
    void open();
    void save();
    void saveAs();
    // Opens the file at `path` as the recent files do, without the save question (the caller
    // asks it); a load failure is the caller's to report.
    Status openPath(const std::string& path);
    // Replaces the document with a new one holding the default groups.
    void startNewDocument();
    // Opens the recent-file entry at `index` (0 is the newest).
    void openRecent(size_t index);
    // Writes a copy under a name the user picks; the document keeps its path and flag.
    void backup();
    // Drops old done tasks and writes the document, asking for a name when it has none.
    void compact();

    // Opens what the plan names, or seeds a new document when nothing loads.
    void openAtStartup(const StartupPlan& plan);
    // Asks the save question and records the last file used; true when the window
    // may close.
    bool close();

private:
    enum class SaveOutcome { Saved, Cancelled, Failed };
    // What the user chose when another program had changed the file being saved.
    enum class ConflictChoice { None, Overwrite, SaveElsewhere, Cancel };

    SaveOutcome runSave();
    // Saves and tells the user when the write failed.
    SaveOutcome saveReportingFailure();
    SaveOutcome runSaveAs();
    std::optional<std::string> askSaveAsPath();
    // Writes the document to the path and, once it is there, takes the path as its own.
    SaveOutcome writeAs(const std::string& path);
    // Writes the document to its own file. When another program changed that file since it
    // was read, asks first and records the answer in `choice`.
    Status writeChecked(const std::string& path, ConflictChoice& choice);
    // Shows what the storage's last save wants the user to know, if anything.
    void tellNotice();
    // Loads the file into the document, showing the reader's own message on a syntax error.
    Status load(const std::string& path);
    // Says why a file did not open: a file of another kind opens a new document instead.
    void reportFailedOpen(const Status& failed);
    // Opens a new untitled document in place of a file that is not one of the program's
    // documents, saying which file and why, so that nothing is ever saved over it.
    void openAsUntitledInstead(const Status& refused);
    // Takes a loaded file in as the open document and puts it first in the recent list.
    void adoptLoaded(const std::string& path);
    void rememberCurrentInRecentList();
    void showError(const std::string& text);
    void tell(DocumentEvent event);
    [[nodiscard]] FileDialogSpec documentDialogSpec(const std::string& initialName) const;

    PimDocument& document_;
    DocumentStorage& storage_;
    UserPrompts& prompts_;
    DocumentSettings& settings_;
    RecentFileList& recentFiles_;
    std::function<void(DocumentEvent)> told_;
};
