#include "workspace/Workspace.h"
#include "platform/Translate.h"

#include "docfile/DocumentReader.h"
#include "fileio/AtomicFile.h"
#include "workspace/StartupPlan.h"

Workspace::Workspace(const Clock& clock, DocumentStorage& storage, UserPrompts& prompts,
                     SettingsStore& settings)
    : document_(clock),
      settings_(settings),
      recentFiles_(settings_.readRecentFiles()),
      storage_(storage),
      prompts_(prompts),
      lifecycle_(document_, storage, prompts, settings_, recentFiles_) {
    document_.attachView(recoveryWatch_);
    door_.onStepDone([this] { commandStatesChanged(); });
    lifecycle_.onEvent([this](DocumentEvent event) { tell(event); });
}

Workspace::~Workspace() {
    document_.detachView(recoveryWatch_);
}

void Workspace::openAtStartup(const std::vector<std::string>& arguments) {
    const StartupPlan plan = planStartup(arguments, settings_);
    openLastFile_ = plan.openLastFile;
    lifecycle_.openAtStartup(plan);
    commandStatesChanged();
}

Status Workspace::openFile(const std::string& path) {
    Status loaded = storage_.load(document_, path);
    if (!loaded) return loaded;
    document_.setPath(path);
    tell(DocumentEvent::Opened);
    return loaded;
}

Status Workspace::writeFile(SaveMode mode) {
    return writeFileAs(document_.path(), mode);
}

Status Workspace::writeFileAs(const std::string& path, SaveMode mode) {
    Status saved = storage_.save(document_, path, mode);
    if (!saved) return saved;
    document_.setModified(false);
    if (path != document_.path()) document_.setPath(path);
    tell(DocumentEvent::Saved);
    return saved;
}

std::string Workspace::takeSaveNotice() {
    return storage_.takeNotice();
}

void Workspace::undo() {
    history_.undo();
    commandStatesChanged();
}

void Workspace::redo() {
    history_.redo();
    commandStatesChanged();
}

void Workspace::newDocument() {
    lifecycle_.newDocument();
}

void Workspace::open() {
    lifecycle_.open();
}

void Workspace::save() {
    lifecycle_.save();
}

void Workspace::saveAs() {
    lifecycle_.saveAs();
}

void Workspace::openRecent(size_t index) {
    lifecycle_.openRecent(index);
}

void Workspace::backup() {
    lifecycle_.backup();
}

bool Workspace::askSaveChanges() {
    return lifecycle_.askSaveChanges();
}

void Workspace::compact() {
    runStep(UndoStep::Compact, [this](PimDocument&) { lifecycle_.compact(); });
}

bool Workspace::close() {
    const bool closing = lifecycle_.close();
    // Changes the user chose not to save are no loss to recover.
    if (closing && recovery_) recovery_->drop();
    return closing;
}

void Workspace::restoreVersion(PimContents&& version) {
    runStep(UndoStep::Restore,
            [&](PimDocument& document) { document.replaceRecords(std::move(version)); });
}

void Workspace::restoreBackup(const BackupVersion& version) {
    // Read before the save question: its save may drop the oldest versions, this one too.
    PimContents contents;
    std::string bytes;
    Status read = readWholeFile(version.file, bytes);
    if (read) read = readDocumentText(bytes, contents, DateTime::now(document_.clock()));
    if (!read) {
        prompts_.showMessage(
            fillIn(_("The backup cannot be read: %s"), {read.inFile(version.file).message()}),
            "Quillmate", MessageIcon::Error);
        return;
    }
    if (!lifecycle_.askSaveChanges()) return;
    // The file is what a save of the restore replaces; keep it whatever the setting, so
    // that another restore undoes this one.
    if (backups_ && !document_.path().empty()) {
        if (const Status kept = backups_->keepCurrent(document_.path(), true); !kept) {
            prompts_.showMessage(
                fillIn(_("Nothing was restored: the current version cannot be kept (%s)"),
                       {kept.message()}),
                "Quillmate", MessageIcon::Error);
            return;
        }
    }
    restoreVersion(std::move(contents));
}

void Workspace::toggleOpenLastFile() {
    openLastFile_ = !openLastFile_;
    settings_.writeOpenLastFile(openLastFile_);
    commandStatesChanged();
}

int Workspace::onCommandStatesChanged(Listener listener) {
    listeners_[nextListenerId_] = std::move(listener);
    return nextListenerId_++;
}

int Workspace::onDocumentEvent(EventListener listener) {
    eventListeners_[nextListenerId_] = std::move(listener);
    return nextListenerId_++;
}

void Workspace::forget(int listenerId) {
    listeners_.erase(listenerId);
    eventListeners_.erase(listenerId);
}

void Workspace::tell(DocumentEvent event) {
    // A listener may forget itself while it hears.
    const auto listeners = eventListeners_;
    for (const auto& [id, listener] : listeners)
        listener(event);
}

void Workspace::commandStatesChanged() {
    for (const auto& [id, listener] : listeners_)
        listener();
}
