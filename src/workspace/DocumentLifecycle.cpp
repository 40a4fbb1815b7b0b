#include "workspace/DocumentLifecycle.h"
#include "platform/Translate.h"

#include <filesystem>

#include "docfile/DocumentFile.h"
#include "records/PimDocument.h"
#include "workspace/DocumentSettings.h"
#include "workspace/DocumentStorage.h"
#include "workspace/RecentFileList.h"
#include "workspace/StartupPlan.h"
#include "workspace/UntitledName.h"

namespace {

constexpr const char* kAppName = "Quillmate";

std::string parentDirectory(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

}  // namespace

DocumentLifecycle::DocumentLifecycle(PimDocument& document, DocumentStorage& storage,
                                     UserPrompts& prompts, DocumentSettings& settings,
                                     RecentFileList& recentFiles)
    : document_(document),
      storage_(storage),
      prompts_(prompts),
      settings_(settings),
      recentFiles_(recentFiles) {}

std::string DocumentLifecycle::displayName() const {
    return document_.path().empty() ? kUntitledName : document_.path();
}

std::string DocumentLifecycle::windowTitle() const {
    // The settings keep the untitled marker in English; the user reads it in theirs.
    const std::string shown = document_.path().empty() ? _(kUntitledName) : document_.path();
    return std::string(kAppName) + " [" + shown + "]";
}

bool DocumentLifecycle::askSaveChanges() {
    if (!document_.isModified()) return true;
    const MessageAnswer answer = prompts_.showMessage(
        fillIn(_("Save changes to %s?"),
               {document_.path().empty() ? _(kUntitledName) : document_.path()}),
        kAppName, MessageIcon::Exclamation, MessageButtons::YesNoCancel);
    switch (answer) {
        case MessageAnswer::Yes:
            // A failed write must not pass in silence: the user said Yes and the window
            // staying put would be the only sign that nothing was saved.
            return saveReportingFailure() == SaveOutcome::Saved;
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

void DocumentLifecycle::newDocument() {
    if (!askSaveChanges()) return;
    startNewDocument();
}

void DocumentLifecycle::open() {
    if (!askSaveChanges()) return;
    if (const auto chosen = prompts_.askOpenPath(documentDialogSpec(""))) {
        if (const Status loaded = load(*chosen); !loaded) {
            reportFailedOpen(loaded);
            settings_.writeLastFileUsed("");
            return;
        }
        document_.setPath(*chosen);
        tell(DocumentEvent::Opened);
    }
    document_.notifyViews();
    rememberCurrentInRecentList();
}

void DocumentLifecycle::save() {
    // A document that got its name here (it had none) is listed as Save As lists it.
    const std::string before = document_.path();
    if (saveReportingFailure() == SaveOutcome::Saved && document_.path() != before)
        rememberCurrentInRecentList();
}

void DocumentLifecycle::saveAs() {
    // Retry offers the dialog again, so the user can pick a place that can be written.
    while (const auto chosen = askSaveAsPath()) {
        if (writeAs(*chosen) == SaveOutcome::Saved) break;
        // The message names the file that could not be written, not the document's name.
        const MessageAnswer answer =
            prompts_.showMessage(fillIn(_("Error saving %s."), {*chosen}), kAppName,
                                 MessageIcon::Error, MessageButtons::RetryCancel);
        if (answer != MessageAnswer::Retry) return;
    }
    rememberCurrentInRecentList();
}

Status DocumentLifecycle::openPath(const std::string& path) {
    Status loaded = load(path);
    if (loaded) adoptLoaded(path);
    return loaded;
}

void DocumentLifecycle::openRecent(size_t index) {
    const auto path = recentFiles_.pathAt(index);
    if (!path) return;
    if (!askSaveChanges()) return;
    if (const Status loaded = load(*path); !loaded) {
        reportFailedOpen(loaded);
        recentFiles_.remove(*path);
        settings_.writeLastFileUsed("");
        settings_.writeRecentFiles(recentFiles_);
        return;
    }
    adoptLoaded(*path);
}

void DocumentLifecycle::backup() {
    FileDialogSpec spec;
    spec.initialName = backupFileStem(document_.path());
    spec.directory = parentDirectory(document_.path());
    spec.defaultExtension = "bak";
    spec.filters = {{_("Backup Files (*.bak)"), "*.bak"}, {_("All Files (*.*)"), "*"}};
    const auto chosen = prompts_.askSavePath(spec);
    if (!chosen) return;
    if (!storage_.save(document_, *chosen, SaveMode::Overwrite))
        prompts_.showMessage(_("Unable to back up file"), _("Backup failed"), MessageIcon::Error);
}

void DocumentLifecycle::compact() {
    // A document that was never saved gets a name first, as Save As would ask for one;
    // writing a stray "Untitled" into whatever directory happens to be current is no place
    // for the user's data.
    const bool hadPath = !document_.path().empty();
    if (!hadPath) {
        const auto chosen = prompts_.askSavePath(documentDialogSpec(_(kUntitledName)));
        if (!chosen) return;
        document_.setPath(*chosen);
    }
    ConflictChoice choice = ConflictChoice::None;
    const CompactResult result = document_.compact(
        [&](const PimDocument&, const std::string& path) { return writeChecked(path, choice); });
    // A name chosen for a write that did not happen is not the document's name.
    if (!result.written && !hadPath) document_.setPath("");
    if (choice == ConflictChoice::SaveElsewhere) {
        saveAs();
        return;
    }
    if (choice == ConflictChoice::Cancel) return;  // the document stays modified
    if (!result.written) {
        showError(_("Unable to write file!"));
        return;
    }
    tell(DocumentEvent::Saved);
    if (!hadPath) rememberCurrentInRecentList();
}

void DocumentLifecycle::openAtStartup(const StartupPlan& plan) {
    bool loaded = false;
    for (const std::string& path : plan.files) {
        const Status status = load(path);
        if (status) {
            adoptLoaded(path);
            loaded = true;
        } else if (status.kind() == FailureKind::Content) {
            openAsUntitledInstead(status);
            loaded = true;
        } else if (plan.fromLastFile) {
            prompts_.showMessage(_("Unable to load last file opened"), _("File Loading Error"),
                                 MessageIcon::Error);
        } else {
            showError(_("Error loading file.\n") + path);
        }
    }
    if (!loaded) startNewDocument();
}

bool DocumentLifecycle::close() {
    const bool proceed = askSaveChanges();
    settings_.writeLastFileUsed(displayName());
    return proceed;
}

DocumentLifecycle::SaveOutcome DocumentLifecycle::runSave() {
    const std::string& path = document_.path();
    if (isUntitled(path)) return runSaveAs();
    if (!document_.isModified()) return SaveOutcome::Saved;
    ConflictChoice choice = ConflictChoice::None;
    const Status saved = writeChecked(path, choice);
    if (choice == ConflictChoice::SaveElsewhere) return runSaveAs();
    if (choice == ConflictChoice::Cancel) return SaveOutcome::Cancelled;
    if (!saved) return SaveOutcome::Failed;
    document_.setModified(false, true);
    tell(DocumentEvent::Saved);
    return SaveOutcome::Saved;
}

void DocumentLifecycle::tellNotice() {
    if (const std::string notice = storage_.takeNotice(); !notice.empty())
        prompts_.showMessage(notice, kAppName, MessageIcon::Exclamation);
}

Status DocumentLifecycle::writeChecked(const std::string& path, ConflictChoice& choice) {
    Status saved = storage_.save(document_, path, SaveMode::KeepOtherChanges);
    tellNotice();
    if (saved.kind() == FailureKind::Busy) {
        // Another program is changing the file and kept it longer than we wait: nothing
        // was written, and saving again later will do.
        showError(saved.message());
        choice = ConflictChoice::Cancel;
        return saved;
    }
    if (saved.kind() != FailureKind::Conflict) return saved;
    const MessageAnswer answer =
        prompts_.showMessage(fillIn(_("%s was changed by another program after it was opened "
                                      "here.\n\n"
                                      "Yes: overwrite it; the other program's changes are lost.\n"
                                      "No: save this document under another name.\n"
                                      "Cancel: do not save now."),
                                    {path}),
                             kAppName, MessageIcon::Exclamation, MessageButtons::YesNoCancel);
    switch (answer) {
        case MessageAnswer::Yes:
            choice = ConflictChoice::Overwrite;
            saved = storage_.save(document_, path, SaveMode::Overwrite);
            tellNotice();
            return saved;
        case MessageAnswer::No:
            choice = ConflictChoice::SaveElsewhere;
            return saved;
        default:
            choice = ConflictChoice::Cancel;
            return saved;
    }
}

DocumentLifecycle::SaveOutcome DocumentLifecycle::saveReportingFailure() {
    const SaveOutcome outcome = runSave();
    if (outcome == SaveOutcome::Failed) showError(_("Unable to write file!"));
    return outcome;
}

DocumentLifecycle::SaveOutcome DocumentLifecycle::runSaveAs() {
    const auto chosen = askSaveAsPath();
    return chosen ? writeAs(*chosen) : SaveOutcome::Cancelled;
}

std::optional<std::string> DocumentLifecycle::askSaveAsPath() {
    return prompts_.askSavePath(documentDialogSpec(displayName()));
}

DocumentLifecycle::SaveOutcome DocumentLifecycle::writeAs(const std::string& path) {
    // The dialog had the user confirm replacing an existing file.
    const Status saved = storage_.save(document_, path, SaveMode::Overwrite);
    tellNotice();
    if (!saved) return SaveOutcome::Failed;
    document_.setModified(false);
    document_.setPath(path);
    document_.notifyViews();
    tell(DocumentEvent::Saved);
    return SaveOutcome::Saved;
}

Status DocumentLifecycle::load(const std::string& path) {
    Status loaded = storage_.load(document_, path);
    // Only a damaged file has a message of its own; a file that cannot be read is
    // reported by the command that tried to open it.
    if (loaded.kind() == FailureKind::Syntax) {
        prompts_.showMessage(fillIn(_("Parsing error at line %s"), {std::to_string(loaded.line())}),
                             _("Error Loading File"), MessageIcon::Error);
    }
    return loaded;
}

void DocumentLifecycle::reportFailedOpen(const Status& failed) {
    if (failed.kind() == FailureKind::Content)
        openAsUntitledInstead(failed);
    else
        showError(_("Error loading file."));
}

void DocumentLifecycle::startNewDocument() {
    document_.makeNew();
    document_.seedDefaultGroups();
    tell(DocumentEvent::Opened);
}

void DocumentLifecycle::openAsUntitledInstead(const Status& refused) {
    startNewDocument();
    prompts_.showMessage(refused.message() + "\n\n" +
                             _("The file is left as it is; a new untitled document opens "
                               "instead, and saving it asks for a name."),
                         kAppName, MessageIcon::Exclamation);
}

void DocumentLifecycle::adoptLoaded(const std::string& path) {
    // The views heard of the records when they were adopted and hear of the path now;
    // notifying them again would fill every list a second time.
    document_.setPath(path);
    recentFiles_.add(path);
    settings_.writeRecentFiles(recentFiles_);
    tell(DocumentEvent::Opened);
}

void DocumentLifecycle::rememberCurrentInRecentList() {
    // A document that has never been saved has no file to come back to.
    if (document_.path().empty()) return;
    recentFiles_.add(document_.path());
    settings_.writeRecentFiles(recentFiles_);
}

void DocumentLifecycle::tell(DocumentEvent event) {
    if (told_) told_(event);
}

void DocumentLifecycle::showError(const std::string& text) {
    prompts_.showMessage(text, kAppName, MessageIcon::Error);
}

FileDialogSpec DocumentLifecycle::documentDialogSpec(const std::string& initialName) const {
    FileDialogSpec spec;
    spec.initialName = initialName;
    spec.directory = parentDirectory(document_.path());
    spec.defaultExtension = "pgr";
    spec.filters = {{_("Quillmate Files (*.pgr)"), "*.pgr"}, {_("All Files (*.*)"), "*"}};
    return spec;
}
