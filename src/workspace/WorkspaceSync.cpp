#include "workspace/WorkspaceSync.h"

#include "platform/Translate.h"
#include "sync/SyncApply.h"
#include "workspace/Workspace.h"

WorkspaceSync::WorkspaceSync(Workspace& workspace) : workspace_(workspace) {
    workspace_.attachView(*this);
}

WorkspaceSync::~WorkspaceSync() {
    workspace_.detachView(*this);
}

Status WorkspaceSync::prepare(const SyncRequest& request, SyncJob& job, std::string& warning) {
    const PimDocument& document = workspace_.document();
    const std::string& path = document.path();
    if (path.empty())
        return Status::failure(FailureKind::Usage, "",
                               _("the document has no file yet: save it before synchronizing"));
    if (loadedFor_ != path) {
        SyncState state;
        if (Status read = loadSyncState(syncStatePath(path), state, warning); !read) return read;
        states_.reset(std::move(state));
        loadedFor_ = path;
    }
    job.request = request;
    job.uidStem = uidStemFor(path);
    job.before = document.contents();
    job.state = states_.current(workspace_.history());
    started_ = job.state;
    running_ = true;
    replaced_ = false;
    return {};
}

WorkspaceSync::Outcome WorkspaceSync::finish(SyncJob& job) {
    running_ = false;
    Outcome outcome;
    // Another document is open now: the records stay on the server, and the state file as it
    // was, so that the next sync of that document compares and brings them down.
    if (replaced_ || workspace_.document().path() != loadedFor_) return outcome;
    const UndoHistory& history = workspace_.history();
    const uint64_t newestBefore = history.newestStep();
    outcome.keptEdits = workspace_.runStep(UndoStep::Synchronize, [&](PimDocument& document) {
        return applySyncedCopy(document, job.before, job.after, started_, job.state);
    });
    const uint64_t step = history.newestStep() != newestBefore ? history.newestStep() : 0;
    states_.synced(history, step, std::move(started_), std::move(job.state));
    outcome.applied = true;
    synced_ = true;
    changed_ = true;
    writeIfSaved();
    return outcome;
}

void WorkspaceSync::documentChanged() {
    // An undo or redo of a sync changes the state that goes with the records.
    if (!loadedFor_.empty()) (void)states_.current(workspace_.history());
    changed_ = changed_ || synced_;
    writeIfSaved();
}

void WorkspaceSync::documentPathChanged(const std::string& path) {
    if (path == loadedFor_) return;
    if (running_) replaced_ = true;
    // What this session learnt of the old document is dropped unless its file held it.
    loadedFor_.clear();
    synced_ = changed_ = false;
}

void WorkspaceSync::writeIfSaved() {
    const PimDocument& document = workspace_.document();
    if (!changed_ || document.isModified() || loadedFor_.empty() || document.path() != loadedFor_)
        return;
    if (Status written =
            saveSyncState(syncStatePath(loadedFor_), states_.current(workspace_.history()));
        !written) {
        writeFailure_ = written;
        return;
    }
    changed_ = false;
}
