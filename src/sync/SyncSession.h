#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "fileio/FileLock.h"
#include "platform/Status.h"
#include "records/DocumentView.h"
#include "records/RecordKind.h"
#include "sync/SyncJob.h"
#include "sync/SyncStateHistory.h"

class DocumentDoor;
class UndoHistory;

// The syncs of the open document, for the window and the command line alike: each a job
// over copies of the records that may run elsewhere while the user goes on editing, its
// outcome brought in through the document's door as one step of the undo history. The
// sync state is kept beside the history (undoing a sync takes its state back too) and
// written once the document's file holds the records it describes, so that a document
// closed without saving is never taken for one whose records were deleted. While the
// session lives, the door refuses changes to records of a collection the account may not
// write: made here, they would never reach the server.
class SyncSession : private DocumentView {
public:
    SyncSession(DocumentDoor& door, const UndoHistory& history);
    ~SyncSession() override;
    SyncSession(const SyncSession&) = delete;
    SyncSession& operator=(const SyncSession&) = delete;

    // Fills `job` for a sync of the open document; fails saying why when the document has no
    // file yet, another sync of it (in this program or another) is under way, or its state
    // cannot be read. `warning` tells of a state read as empty.
    Status prepare(const SyncRequest& request, SyncJob& job, std::string& warning);

    // What bringing a job in did.
    struct Outcome {
        bool applied = false;  // false: the document was closed or replaced meanwhile
        int keptEdits = 0;     // records the user changed meanwhile, kept as they are
    };
    // Brings in the records and state of a job that has run (also one that failed or was
    // cut short: what it did on the server is in them). A dry run's state is dropped.
    Outcome finish(SyncJob& job);

    // The document was written to its file: the state that describes it follows.
    void documentSaved() { writeIfSaved(); }
    // The document was saved under a new name (Save As) from `from`: its records keep what
    // their syncs saw, written for the new name, and a sync running meanwhile is brought in.
    void documentSavedAs(const std::string& from);
    // A failure writing the state, once; success when there is none.
    [[nodiscard]] Status takeWriteFailure() { return std::exchange(writeFailure_, Status()); }

    // Why the record may not be changed here: a collection the account may not write holds
    // it. "" when it may, and always while no account is set up or the account's address is
    // not the one the collections were synced with.
    [[nodiscard]] std::string refusal(RecordKind kind, int32_t id);
    // Where the refusal learns the address of the document's account now ("" for none).
    void askAccountAddress(std::function<std::string()> address) { address_ = std::move(address); }

private:
    void documentChanged() override;
    void documentPathChanged(const std::string& path) override;
    // Reads the state of the document's file unless it is the one held; false without a file.
    bool loadFor(const std::string& path, Status& read);
    void writeIfSaved();

    DocumentDoor& door_;
    const UndoHistory& history_;
    SyncStateHistory states_;
    std::string loadedFor_;  // the path whose state states_ holds; "" for none
    bool running_ = false;
    bool replaced_ = false;  // the document changed its path while a job ran
    bool synced_ = false;    // a sync of this document was brought in this session
    bool changed_ = false;   // the state may differ from its file
    SyncState started_;
    Status writeFailure_;
    // Held from prepare to finish: a second sync of the document at once would bring the same
    // new items down again beside the first's. A dry run changes nothing and takes none.
    FileLock syncing_;
    std::string loadWarning_;  // of a state read as empty, until a sync is prepared
    std::function<std::string()> address_;
    // What was held for the path before the last change, in case that was a Save As.
    struct Before {
        std::string loadedFor;
        bool synced = false;
    } before_;
};
