#include "sync/SyncSession.h"

#include "platform/Translate.h"
#include "records/DocumentDoor.h"
#include "sync/AccountAddress.h"
#include "sync/SyncApply.h"

SyncSession::SyncSession(DocumentDoor& door, const UndoHistory& history)
    : door_(door), history_(history) {
    door_.attachView(*this);
    door_.guardRecords([this](RecordKind kind, int32_t id) { return refusal(kind, id); });
}

SyncSession::~SyncSession() {
    door_.guardRecords(nullptr);
    door_.detachView(*this);
}

bool SyncSession::loadFor(const std::string& path, Status& read) {
    if (path.empty()) return false;
    if (loadedFor_ == path) return true;
    SyncState state;
    loadWarning_.clear();
    read = loadSyncState(syncStatePath(path), state, loadWarning_);
    if (!read) return false;
    states_.reset(std::move(state));
    loadedFor_ = path;
    return true;
}

Status SyncSession::prepare(const SyncRequest& request, SyncJob& job, std::string& warning) {
    const PimDocument& document = door_.document();
    const std::string& path = document.path();
    if (path.empty())
        return Status::failure(FailureKind::Usage, "",
                               _("the document has no file yet: save it before synchronizing"));
    // An address typed into the settings by hand gets here unchecked; it is not repeated,
    // since the message would show the password.
    if (holdsUserInfo(request.url))
        return Status::failure(FailureKind::Usage, "",
                               _("the account's address holds a user name or password: take "
                                 "them out of it and give them as the account's user and "
                                 "password"));
    syncing_.unlock();
    if (!request.dryRun) {
        if (Status alone = lockSyncOf(path, syncing_); !alone) return alone;
    }
    Status read;
    if (!loadFor(path, read)) return read;
    // Told at the first sync also when an edit read the state first.
    warning = std::exchange(loadWarning_, {});
    job.request = request;
    job.uidStem = uidStemFor(path);
    job.before = document.contents();
    job.state = states_.current(history_);
    started_ = job.state;
    running_ = true;
    replaced_ = false;
    return {};
}

SyncSession::Outcome SyncSession::finish(SyncJob& job) {
    running_ = false;
    syncing_.unlock();
    Outcome outcome;
    // Another document is open now: the records stay on the server, and the state file as it
    // was, so that the next sync of that document compares and brings them down.
    if (replaced_ || door_.document().path() != loadedFor_) return outcome;
    const uint64_t newestBefore = history_.newestStep();
    outcome.keptEdits = door_.runStep(UndoStep::Synchronize, [&](PimDocument& document) {
        return applySyncedCopy(document, job.before, job.after, started_, job.state);
    });
    outcome.applied = true;
    // A dry run sent nothing: what its state says of the server is not so.
    if (job.request.dryRun) return outcome;
    const uint64_t step = history_.newestStep() != newestBefore ? history_.newestStep() : 0;
    states_.synced(history_, step, std::move(started_), std::move(job.state));
    synced_ = true;
    changed_ = true;
    writeIfSaved();
    return outcome;
}

std::string SyncSession::refusal(RecordKind kind, int32_t id) {
    const std::string address = address_ ? address_() : std::string();
    Status read;
    if (address.empty() || !loadFor(door_.document().path(), read)) return {};
    const SyncState& state = states_.current(history_);
    // Marks made with another account, or none any more, say nothing of this one; a server
    // moved to another port or scheme is still the account that made them.
    if (state.account.empty() || !samePlaceOnHost(state.account, address)) return {};
    for (const auto& [name, collection] : state.collections) {
        if (!collection.readOnly) continue;
        for (const auto& [href, item] : collection.items) {
            for (const SyncedRecord& record : item.records) {
                if (record.kind == kind && record.id == id)
                    return fillIn(_("it belongs to the collection at %s, which the sync account "
                                    "may only read; a change made here would never reach it"),
                                  {collection.url});
            }
        }
    }
    return {};
}

void SyncSession::documentChanged() {
    // An undo or redo of a sync changes the state that goes with the records.
    if (!loadedFor_.empty()) (void)states_.current(history_);
    changed_ = changed_ || synced_;
    writeIfSaved();
}

void SyncSession::documentPathChanged(const std::string& path) {
    if (path == loadedFor_) return;
    before_ = {loadedFor_, synced_};
    if (running_) replaced_ = true;
    // What this session learnt of the old document is dropped unless its file held it.
    loadedFor_.clear();
    synced_ = changed_ = false;
}

void SyncSession::documentSavedAs(const std::string& from) {
    const std::string& to = door_.document().path();
    if (from.empty() || to.empty() || from == to || loadedFor_ == to) return;
    if (before_.loadedFor == from) {
        // Held here, with a sync perhaps still running: the same records, renamed.
        synced_ = before_.synced;
        replaced_ = false;
    } else {
        if (running_) return;
        Status read;
        if (!loadFor(from, read)) return;
    }
    loadedFor_ = to;
    changed_ = true;
    writeIfSaved();
}

void SyncSession::writeIfSaved() {
    const PimDocument& document = door_.document();
    if (!changed_ || document.isModified() || loadedFor_.empty() || document.path() != loadedFor_)
        return;
    if (Status written = saveSyncState(syncStatePath(loadedFor_), states_.current(history_));
        !written) {
        writeFailure_ = written;
        return;
    }
    changed_ = false;
}
